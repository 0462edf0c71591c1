#include "app/DataWatchdog.h"

#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Verdict = WatchdogVerdict;

constexpr WatchdogConditions kArmed{true, true, true, false};

// Readings every two seconds, as the statistics timer takes them.
class WatchdogClock {
public:
    DataWatchdog::Clock::time_point Tick() { return now += 2s; }
    DataWatchdog::Clock::time_point now{};
};

// The verdicts of readings with the same count, one every two seconds.
std::vector<Verdict> Stalled(DataWatchdog& watchdog, WatchdogClock& clock, int readings, std::int64_t count = 500)
{
    std::vector<Verdict> verdicts;
    for (int i = 0; i < readings; ++i)
        verdicts.push_back(watchdog.OnReading(count, kArmed, clock.Tick()));
    return verdicts;
}

int Relocks(const std::vector<Verdict>& verdicts)
{
    return static_cast<int>(std::count(verdicts.begin(), verdicts.end(), Verdict::Relock));
}

TEST(DataWatchdog, NoGrowthForTheTimeReLocksOnceAndGrowthNever)
{
    DataWatchdog watchdog(10s);
    WatchdogClock clock;
    std::vector<Verdict> verdicts = Stalled(watchdog, clock, 6);   // 0 s to 10 s: the watch starts, then 10 s pass
    EXPECT_EQ(verdicts.back(), Verdict::Relock);
    EXPECT_EQ(Relocks(verdicts), 1);

    DataWatchdog flowing(10s);
    for (std::int64_t count = 0; count < 100; ++count)
        EXPECT_EQ(flowing.OnReading(count * 10, kArmed, clock.Tick()), Verdict::Watching);
}

TEST(DataWatchdog, EachFruitlessReLockDoublesTheWaitUpToSixteenTimesAndDataEndsIt)
{
    DataWatchdog watchdog(4s);
    WatchdogClock clock;
    watchdog.OnReading(500, kArmed, clock.Tick());
    std::vector<int> waits;
    for (int relock = 0; relock < 7; ++relock) {
        int readings = 0;
        while (watchdog.OnReading(500, kArmed, clock.Tick()) != Verdict::Relock)
            ++readings;
        waits.push_back((readings + 1) * 2);
    }
    EXPECT_EQ(waits, (std::vector<int>{4, 8, 16, 32, 64, 64, 64}));

    EXPECT_EQ(watchdog.OnReading(501, kArmed, clock.Tick()), Verdict::DataAgain);
    EXPECT_EQ(watchdog.CurrentWait(), 4s);
    EXPECT_EQ(watchdog.OnReading(502, kArmed, clock.Tick()), Verdict::Watching) << "told once";
}

// A skipped or failed read, or a count that falls (the filter restarted),
// is no stall: the watch starts afresh from the next reading.
TEST(DataWatchdog, SkippedReadsAndFallingCountsStartTheWatchAgain)
{
    DataWatchdog watchdog(10s);
    WatchdogClock clock;
    Stalled(watchdog, clock, 4);   // 6 s without growth
    EXPECT_EQ(watchdog.OnReading(std::nullopt, kArmed, clock.Tick()), Verdict::Watching);
    EXPECT_EQ(Relocks(Stalled(watchdog, clock, 5)), 0) << "8 s since the skipped read";
    EXPECT_EQ(watchdog.OnReading(20, kArmed, clock.Tick()), Verdict::Watching) << "the count fell";
    EXPECT_EQ(Relocks(Stalled(watchdog, clock, 5, 20)), 1) << "10 s from the fall";
}

TEST(DataWatchdog, OffAtZeroAndNotArmedWithoutLockFilterPidOrWhileTheCardIsBusy)
{
    const std::pair<const char*, WatchdogConditions> unarmed[] = {
        {"not locked to the selection", {false, true, true, false}},
        {"filter stopped", {true, false, true, false}},
        {"no PID the card took", {true, true, false, false}},
        {"a scan, a motor or a command works the card", {true, true, true, true}},
    };
    for (const auto& [why, conditions] : unarmed) {
        DataWatchdog watchdog(4s);
        WatchdogClock clock;
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(watchdog.OnReading(500, conditions, clock.Tick()), Verdict::Watching) << why;
    }
    DataWatchdog off(0s);
    WatchdogClock clock;
    EXPECT_EQ(Relocks(Stalled(off, clock, 100)), 0);
}

TEST(DataWatchdog, StoredTimeDefaultsToAMinuteAndIsKeptInRange)
{
    MapStore store;
    EXPECT_EQ(ReadDataWatchdog(store), 60s) << "missing";
    const std::pair<std::uint32_t, std::chrono::seconds> values[] = {
        {0, 0s}, {1, 4s}, {4, 4s}, {90, 90s}, {3600, 3600s}, {3601, 3600s}, {0xFFFFFFFF, 3600s}};
    for (const auto& [stored, taken] : values) {
        store.dwords[kDataWatchdogValue] = stored;
        EXPECT_EQ(ReadDataWatchdog(store), taken) << stored;
    }
    EXPECT_TRUE(WriteDataWatchdog(store, 2s));
    EXPECT_EQ(store.dwords[kDataWatchdogValue], 4u) << "kept in range when written too";
}

}   // namespace
