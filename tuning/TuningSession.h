// What the tuning pages need from the receiver session that hosts them,
// beyond what every page asks (PageHost): the lock state their lock
// sequences work with, the dish, the scans and the follow-ups of their edits.
#pragma once

#include "common/RuleResult.h"
#include "tuning/LockHost.h"
#include "tuning/LockWorker.h"
#include "tuning/LockingPageLink.h"

class TuningSession : public LockHost {
public:
    // Hands a lock worker's end to the user-interface thread.
    virtual LockWorkerNotice LockNotice() = 0;
    // The page that locks the card; null when it goes.
    virtual void RegisterLockingPage(LockingPageLink* page) = 0;
    // A hold button drives the dish: no silent re-lock meanwhile, and an exit
    // stops it first.
    virtual void SetDishDriving(bool driving) = 0;
    // The dish moved (a drive or a Goto): the lock kept so far says nothing
    // of where it points now.
    virtual void DishMoved() = 0;
    // A scan runs: the card is the scan's, so the periodic reads and the
    // silent re-lock pause until it ends.
    virtual void SetScanRunning(bool running) = 0;
    // What a rule asks after a satellite, transponder or channel edit.
    virtual void ApplyEffects(const MainDialogEffects& effects) = 0;
    // An import or a scan added satellites or channels behind the satellite list's back.
    virtual void ShowAddedSatellites() = 0;
};
