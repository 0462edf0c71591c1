// The data watchdog: a card that stays locked while no data arrives (the
// filter stuck, the stream gone from the transponder) is tuned again. It
// watches the packets the reception counters report, while reception is
// set up and nothing else works the card, and asks for a re-lock when the
// count has not grown for the watchdog time. A re-lock that brings no data
// makes the next wait twice as long, at most sixteen times the time; data
// arriving ends that back-off.
#pragma once

#include "common/SettingsStore.h"

#include <chrono>
#include <cstdint>
#include <optional>

// The watchdog time under the settings key, in seconds: missing means 60,
// 0 switches the watchdog off, other values are taken between 4 and 3600.
inline constexpr char kDataWatchdogValue[] = "DataWatchdog";
inline constexpr std::chrono::seconds kDefaultDataWatchdog{60};
inline constexpr std::chrono::seconds kShortestDataWatchdog{4};
inline constexpr std::chrono::seconds kLongestDataWatchdog{3600};

std::chrono::seconds ReadDataWatchdog(SettingsStore& store);
// Stores the time as the reading takes it back; false when it was not written.
bool WriteDataWatchdog(SettingsStore& store, std::chrono::seconds time);
// A time taken into range: 0 stays off.
std::chrono::seconds BoundedDataWatchdog(std::chrono::seconds time);

// What must hold for the watch: the card locked to the current selection,
// the filter running, a PID the card accepted loaded, and no scan, moving
// dish or user command working the card.
struct WatchdogConditions {
    bool lockedToSelection = false;
    bool filterStarted = false;
    bool acceptedPidLoaded = false;
    bool cardBusyElsewhere = false;

    bool Armed() const { return lockedToSelection && filterStarted && acceptedPidLoaded && !cardBusyElsewhere; }
};

enum class WatchdogVerdict {
    Watching,    // nothing to do
    Relock,      // no data for the (backed-off) time: tune again
    DataAgain,   // data arrives after a stall
};

class DataWatchdog {
public:
    using Clock = std::chrono::steady_clock;

    explicit DataWatchdog(std::chrono::seconds time = kDefaultDataWatchdog) : time(BoundedDataWatchdog(time)) {}

    void SetTime(std::chrono::seconds watchdogTime);
    std::chrono::seconds Time() const { return time; }
    bool IsOn() const { return time.count() != 0; }

    // One reading of the statistics timer: the packets received, or nothing
    // when the read was skipped (the card busy) or failed, which says nothing
    // about the data and starts the watch afresh.
    WatchdogVerdict OnReading(std::optional<std::int64_t> packetsReceived, const WatchdogConditions& conditions,
                              Clock::time_point now);

    // The time the current wait lasts: the watchdog time, doubled for each
    // re-lock since data last arrived, at most sixteen times it.
    std::chrono::seconds CurrentWait() const { return time * backOff; }
    bool IsStalled() const { return stalled; }

private:
    void Restart(std::optional<std::int64_t> count, Clock::time_point now);

    std::chrono::seconds time;
    int backOff = 1;
    bool stalled = false;   // a re-lock was asked since data last arrived
    std::optional<std::int64_t> lastCount;
    Clock::time_point since{};
};
