// The Terrestrial Setting page (156): frequency and bandwidth of the current channel.
#pragma once

#include "app/win/TabPage.h"
#include "tuning/win/PageLock.h"

class CTerrestrialPage : public CTabPage {
public:
    CTerrestrialPage();

    int Lock(int silent) override { return lock.Lock(silent); }


private:
    CPageLock lock{*this, LockKind::Terrestrial, "Locking,Please wait......"};
};
