// The PID page (132, the "Filter" tab): data PIDs, their loading into the card, counters and MAC addresses.
#pragma once

#include "app/win/TabPage.h"

class CPidPage : public CTabPage {
public:
    CPidPage();
    void RefreshStatistics() {}
    void RefreshPidMacs() {}
    // Sends every PID of the current transponder marked as loaded to the card.
    void ReloadPids() {}
};
