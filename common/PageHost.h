// What every tab page, its rules and its dialogs ask of the receiver session
// that hosts them: the card behind its gate, the state the pages share, and
// the one way each to mark a change, to run a timer, to trace and to write to
// the debugger. The tuning and the PID pages add their own below it.
#pragma once

#include "driver/DriverGate.h"
#include "driver/ReceiverDriver.h"

#include <string>

// The main dialog's timers that the session and the pages switch.
enum class SessionTimer {
    SignalPoll,   // 502: the signal poll and its silent re-lock
    Statistics,   // 504: the reception counters
    PidMac,       // 505: the PID page's MAC column
    Restore,      // 506: reception restored after a resume
};

class PageHost {
public:
    virtual ~PageHost() = default;

    // The card's driver: every call passes the gate.
    virtual ReceiverDriver& Driver() = 0;
    virtual DriverGate& Gate() = 0;
    // Before a command: waits for the card within the command's bound; false,
    // and the user was told, when an earlier call still holds it.
    virtual bool AwaitCard() = 0;
    // GetCIInfo's value.
    virtual int GetDeviceKind() const = 0;
    virtual bool IsLocked() const = 0;
    virtual bool IsFilterStarted() const = 0;
    // The current satellite, transponder or channel changed since the last lock.
    virtual bool IsTuningChanged() const = 0;
    // Always enables Apply; a non-zero flag also marks the settings changed.
    virtual void MarkSettingsChanged(int setFlag) = 0;
    virtual void SetTimerRunning(SessionTimer timer, bool running) = 0;
    void StartSignalTimer() { SetTimerRunning(SessionTimer::SignalPoll, true); }
    void StopSignalTimer() { SetTimerRunning(SessionTimer::SignalPoll, false); }
    void StartStatisticsTimer() { SetTimerRunning(SessionTimer::Statistics, true); }
    void StopStatisticsTimer() { SetTimerRunning(SessionTimer::Statistics, false); }
    void StartPidMacTimer() { SetTimerRunning(SessionTimer::PidMac, true); }
    void StopPidMacTimer() { SetTimerRunning(SessionTimer::PidMac, false); }
    virtual void Trace(const std::string& line) = 0;
    // The system's debugger output.
    virtual void DebugOutput(const std::string& line) = 0;
};
