// What the PID page's rules need from the main dialog and the system.
#pragma once

#include <string>

class PidPageHost {
public:
    virtual ~PidPageHost() = default;

    virtual bool IsLocked() const = 0;
    virtual bool IsFilterStarted() const = 0;
    // The current transponder or channel changed since the last lock.
    virtual bool IsTuningChanged() const = 0;
    // Enables Apply without marking the settings changed (MarkSettingsChanged(0)).
    virtual void MarkSettingsChanged() = 0;
    virtual void Trace(const std::string& line) = 0;
    // The system's debugger output.
    virtual void DebugOutput(const std::string& line) = 0;
};
