// The Cable Setting page (149): frequency, symbol rate and QAM size of the current channel.
#pragma once

#include "app/win/TabPage.h"

class CCablePage : public CTabPage {
public:
    CCablePage();

};
