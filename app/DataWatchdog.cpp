#include "app/DataWatchdog.h"

namespace {
constexpr int kLongestBackOff = 16;
}

std::chrono::seconds BoundedDataWatchdog(std::chrono::seconds time)
{
    if (time.count() <= 0)
        return std::chrono::seconds(0);
    if (time < kShortestDataWatchdog)
        return kShortestDataWatchdog;
    return time > kLongestDataWatchdog ? kLongestDataWatchdog : time;
}

std::chrono::seconds ReadDataWatchdog(SettingsStore& store)
{
    std::uint32_t seconds = 0;
    if (!store.GetDword(kDataWatchdogValue, seconds))
        return kDefaultDataWatchdog;
    return BoundedDataWatchdog(std::chrono::seconds(seconds > 3600u ? 3600u : seconds));
}

bool WriteDataWatchdog(SettingsStore& store, std::chrono::seconds time)
{
    return store.SetDword(kDataWatchdogValue, static_cast<std::uint32_t>(BoundedDataWatchdog(time).count()));
}

void DataWatchdog::SetTime(std::chrono::seconds watchdogTime)
{
    time = BoundedDataWatchdog(watchdogTime);
    lastCount.reset();
}

void DataWatchdog::Restart(std::optional<std::int64_t> count, Clock::time_point now)
{
    lastCount = count;
    since = now;
}

WatchdogVerdict DataWatchdog::OnReading(std::optional<std::int64_t> packetsReceived,
                                        const WatchdogConditions& conditions, Clock::time_point now)
{
    if (!IsOn() || !conditions.Armed() || !packetsReceived) {
        lastCount.reset();
        return WatchdogVerdict::Watching;
    }
    // The first reading of a watch, and a count that fell (the card clears
    // its counters when the filter starts), only set where the watch starts.
    if (!lastCount || *packetsReceived < *lastCount) {
        Restart(packetsReceived, now);
        return WatchdogVerdict::Watching;
    }
    if (*packetsReceived > *lastCount) {
        Restart(packetsReceived, now);
        backOff = 1;
        if (!stalled)
            return WatchdogVerdict::Watching;
        stalled = false;
        return WatchdogVerdict::DataAgain;
    }
    if (now - since < CurrentWait())
        return WatchdogVerdict::Watching;
    // The next wait starts with the re-lock and lasts twice as long: it runs
    // out only if this re-lock brings nothing either.
    if (backOff < kLongestBackOff)
        backOff *= 2;
    stalled = true;
    Restart(packetsReceived, now);
    return WatchdogVerdict::Relock;
}
