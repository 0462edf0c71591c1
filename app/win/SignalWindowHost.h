// What the signal window needs of the window that owns it (the main dialog),
// and nothing more: the window calls only these, so that it and the main
// dialog do not call round in a circle.
#pragma once

#include <chrono>
#include <string>

class CChannelDatabase;

class SignalWindowHost {
public:
    virtual ~SignalWindowHost() = default;

    // The message of a key in the current language, or its English text.
    virtual std::string Text(const char* key, const char* english) const = 0;
    // The selection the caption names.
    virtual const CChannelDatabase& Database() const = 0;
    // The window opened or closed: the signal poll takes the period that now applies.
    virtual void UpdateSignalPollPeriod() = 0;
    // The data watchdog's time, 0 for off; a change is stored at once.
    virtual std::chrono::seconds DataWatchdogTime() const = 0;
    virtual void SetDataWatchdogTime(std::chrono::seconds time) = 0;
};
