// The Cable Setting page (149): frequency, symbol rate and QAM size of the current channel.
#pragma once

#include "app/win/TabPage.h"
#include "tuning/win/PageLock.h"

class CCablePage : public CTabPage {
public:
    CCablePage();

    int Lock(int silent) override { return lock.Lock(silent); }


private:
    CPageLock lock{*this, LockKind::Cable, "Locking, Please wait......"};
};
