// The window side of a tuning page's lock: the main dialog's flags and timers,
// the wait dialog, and (satellite) the switch commands, around the page's
// lock sequence.
#pragma once

#include "tuning/LockHost.h"
#include "tuning/LockSequence.h"
#include "tuning/win/LockWaitDlg.h"

#include <memory>

class CTabPage;
class CMainDlg;

class CPageLock final : private LockHost, private SwitchCommandSender {
public:
    // waitFallback: the wait label's English text for this page.
    CPageLock(CTabPage& page, LockKind kind, const char* waitFallback);
    ~CPageLock() override;

    // The lock of the page's current transponder or channel; 1 when the card
    // reports it locked.
    int Lock(int silent);
    LockSequence& Sequence() { return sequence; }

private:
    bool IsFilterStarted() override;
    void SetFilterStarted(int started) override;
    void SetTuningChanged(int changed) override;
    void StopSignalTimer() override;
    void StartSignalTimer() override;
    void ShowWaitDialog() override;
    void DestroyWaitDialog() override;
    void ShowLockState(int result) override;
    void ReloadPids() override;
    void Trace(const char* line) override;
    int SendTonePower() override;
    int SendDiseqcSwitch() override;

    CTabPage& page;
    const char* waitFallback;
    CMainDlg* mainDialog = nullptr;   // found afresh by each Lock
    std::unique_ptr<CLockWaitDlg> waitDialog;
    LockSequence sequence;
};
