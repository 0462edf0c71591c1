// The LNB & Switch page (129): dish type, LNB and switch settings of the current satellite.
#pragma once

#include "app/win/TabPage.h"

class CLnbPage : public CTabPage {
public:
    CLnbPage();

};
