// What the lock sequence needs from the tuning page that runs it and from the
// main dialog behind that page. All calls come from the user-interface thread,
// never from a lock worker.
#pragma once

class LockHost {
public:
    virtual ~LockHost() = default;

    virtual bool IsFilterStarted() = 0;
    virtual void SetFilterStarted(int started) = 0;
    virtual void SetTuningChanged(int changed) = 0;
    virtual void StopSignalTimer() = 0;
    virtual void StartSignalTimer() = 0;
    virtual void ShowWaitDialog() = 0;
    virtual void DestroyWaitDialog() = 0;
    // result 0 means locked.
    virtual void ShowLockState(int result) = 0;
    // The PID page sends every PID marked as loaded to the card.
    virtual void ReloadPids() = 0;
    virtual void Trace(const char* line) = 0;
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
