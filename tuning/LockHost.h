// What the lock sequence needs from the session behind the tuning page that
// runs it. All calls come from the user-interface thread, never from a lock
// worker.
#pragma once

#include "common/PageHost.h"

class LockHost : public virtual PageHost {
public:
    virtual void SetFilterStarted(int started) = 0;
    // 0 as a lock of the current records begins, 1 for another selection.
    virtual void SetTuningChanged(int changed) = 0;
    // The wait dialog of a lock the user waits for.
    virtual void ShowWaitDialog(bool shown) = 0;
    // result 0 means locked.
    virtual void ShowLockState(int result) = 0;
    // The PID page sends every PID marked as loaded to the card.
    virtual void ReloadPids() = 0;
    // A lock the user asked for could not reach the card within its wait: an
    // earlier call still holds it. The user is told.
    virtual void ReportCardBusy() = 0;
};

// The satellite switch commands sent before every satellite lock.
class SwitchCommandSender {
public:
    virtual ~SwitchCommandSender() = default;

    // Both return 1 when the command was sent, 0 when it was not.
    virtual int SendTonePower() = 0;
    virtual int SendDiseqcSwitch() = 0;
};
