// The Dish Setting page (130): transponders of the current satellite, Lock Test and the motor.
#pragma once

#include "app/win/TabPage.h"
#include "tuning/win/PageLock.h"

class CDishPage : public CTabPage {
public:
    CDishPage();

    int Lock(int silent) override { return lock.Lock(silent); }
    // Keeps the motor values in the registry (Apply, OK and the exit question).
    void SaveMotorSettings() {}

private:
    CPageLock lock{*this, LockKind::Satellite, "Locking,Please wait......"};
};
