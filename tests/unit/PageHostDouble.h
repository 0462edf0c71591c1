// The session as a page, its rules and its lock sequence see it: a card
// behind a gate, settable lock state, and the marks and traces kept.
#pragma once

#include "common/PageHost.h"

#include <chrono>
#include <string>
#include <vector>

class PageHostDouble : public virtual PageHost {
public:
    explicit PageHostDouble(ReceiverDriver& card, std::chrono::milliseconds cardWait = std::chrono::milliseconds(50))
        : gate(card, cardWait)
    {
    }

    bool locked = false;
    bool filterStarted = false;
    bool tuningChanged = false;
    int deviceKind = 0;
    int settingsChangedMarks = 0;
    std::vector<std::string> traces;

    ReceiverDriver& Driver() override { return gate.Driver(); }
    DriverGate& Gate() override { return gate; }
    bool AwaitCard() override { return gate.WaitUntilFree(gate.CallWait()); }
    int GetDeviceKind() const override { return deviceKind; }
    bool IsLocked() const override { return locked; }
    bool IsFilterStarted() const override { return filterStarted; }
    bool IsTuningChanged() const override { return tuningChanged; }
    void MarkSettingsChanged(int) override { ++settingsChangedMarks; }
    void SetTimerRunning(SessionTimer, bool) override {}
    void Trace(const std::string& line) override { traces.push_back(line); }
    void DebugOutput(const std::string&) override {}

    DriverGate gate;
};
