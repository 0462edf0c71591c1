// The Terrestrial Setting page (156): frequency and bandwidth of the current channel.
#pragma once

#include "app/win/TabPage.h"

class CTerrestrialPage : public CTabPage {
public:
    CTerrestrialPage();

};
