// What the tuning pages need from the receiver session that hosts them: the
// shared lock state their lock sequences work with, the card behind its gate,
// and the follow-ups of their edits.
#pragma once

#include "common/RuleResult.h"
#include "driver/DriverGate.h"
#include "tuning/LockHost.h"
#include "tuning/LockWorker.h"

class TuningSession : public LockHost {
public:
    virtual bool IsLocked() const = 0;
    virtual int GetDeviceKind() const = 0;
    // The card's driver: every call passes the gate.
    virtual ReceiverDriver& Driver() = 0;
    virtual DriverGate& Gate() = 0;
    // Hands a lock worker's end to the user-interface thread.
    virtual LockWorkerNotice LockNotice() = 0;
    // Before a command: waits for the card within the command's bound; false,
    // and the user was told, when an earlier call still holds it.
    virtual bool AwaitCard() = 0;
    // A hold button drives the dish: no silent re-lock meanwhile, and an exit
    // stops it first.
    virtual void SetDishDriving(bool driving) = 0;
    // The dish moved (a drive or a Goto): the lock kept so far says nothing
    // of where it points now.
    virtual void DishMoved() = 0;
    // A scan runs: the card is the scan's, so the periodic reads and the
    // silent re-lock pause until it ends.
    virtual void SetScanRunning(bool running) = 0;
    // Always enables Apply; a non-zero flag also marks the settings changed.
    virtual void MarkSettingsChanged(int setFlag) = 0;
    // What a rule asks after a satellite, transponder or channel edit.
    virtual void ApplyEffects(const MainDialogEffects& effects) = 0;
    // An import added satellites or channels behind the satellite list's back.
    virtual void ShowAddedSatellites() = 0;
};
