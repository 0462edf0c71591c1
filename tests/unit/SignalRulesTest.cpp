#include "app/LockDisplay.h"
#include "app/SignalRules.h"
#include "database/ChannelDatabase.h"

#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

namespace {

SignalContext Context(int deviceType, bool filterStarted = true, bool hasTransponder = true)
{
    return SignalContext{hasTransponder, filterStarted, [deviceType] { return deviceType; }};
}

TEST(SignalRules, ReadingComesOnlyFromASuccessfulCall)
{
    ScriptedDriver driver;
    driver.signal = {55, 66, 7, 8, 1};
    const auto reading = ReadSignal(driver);
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->strength, 55);
    EXPECT_EQ(reading->quality, 66);
    EXPECT_EQ(reading->lockValue, 1);

    driver.SetResult("GetSignalStrAndQu", 1);
    EXPECT_FALSE(ReadSignal(driver).has_value()) << "a failed poll changes nothing";
}

// Readings shown in turn by one monitor: percentages clamped and raised by
// 20 while locked, the lock judged from the card's value (type 0 and 2) or,
// on type 1, from the levels with three weak readings forgiven, and a re-lock
// asked for whenever the card is not locked with the filter running.
TEST(SignalRules, ReadingsInTurnGiveTheDisplayAndTheRelock)
{
    constexpr int kKept = -9;   // the lock display is left as it was
    struct Step {
        int strength, quality, lock, deviceType;
        bool filter, transponder;
        int shownLock, strengthPercent, qualityPercent;
        bool relock, counted;
        int weak;
    };
    const Step steps[] = {
        {90, -5, 1, 0, true, true, 0, 100, 20, false, true, 0},
        {-5, 150, 0, 0, true, true, 1, 0, 100, true, false, 0},
        {40, 50, 1, 0, false, false, 1, 60, 70, true, true, 0},
        {50, 50, 0, 2, true, true, 1, 50, 50, true, false, 0},
        {50, 50, 0, 1, true, true, kKept, 70, 70, false, true, 0},
        {10, 80, 0, 1, true, true, kKept, 30, 100, false, true, 1},
        {10, 80, 0, 1, true, true, kKept, 30, 100, false, true, 2},
        {10, 80, 0, 1, true, true, kKept, 30, 100, false, true, 3},
        {80, 29, -1, 1, true, true, 1, 80, 29, true, false, 0},
        {10, 10, 0, 1, true, true, kKept, 30, 30, false, true, 1},
        {10, 10, 1, 1, true, true, 0, 30, 30, false, true, 0},
        {50, 50, 0, 1, false, true, kKept, 70, 70, true, true, 0},
    };
    SignalMonitor monitor;
    int step = 0;
    for (const Step& s : steps) {
        const auto display =
            monitor.Show({s.strength, s.quality, s.lock}, Context(s.deviceType, s.filter, s.transponder));
        EXPECT_EQ(display.lockState.value_or(kKept), s.shownLock) << "step " << step;
        EXPECT_EQ(display.strengthPercent, s.strengthPercent) << "step " << step;
        EXPECT_EQ(display.qualityPercent, s.qualityPercent) << "step " << step;
        EXPECT_EQ(display.relock, s.relock) << "step " << step;
        EXPECT_EQ(display.lockCounted, s.counted) << "step " << step;
        EXPECT_EQ(monitor.WeakReadings(), s.weak) << "step " << step;
        ++step;
    }
    int asked = 0;
    SignalContext counting{true, true, [&asked] { return ++asked, 0; }};
    monitor.Show({50, 50, 1}, counting);
    EXPECT_EQ(asked, 0) << "the device type is asked only without a lock";
    monitor.Show({50, 50, 0}, counting);
    EXPECT_EQ(asked, 1);
}

TEST(LockDisplay, LockedOnlyForWhatTheLastLockWasRunFor)
{
    CChannelDatabase db;
    db.Load("");
    SatelliteRecord* astra = Added(db, Satellite("Astra", 192));
    astra->diseqcPort = 1;
    TransponderRecord* first = Added(db, Transponder(11954, 27500, 1));

    EXPECT_FALSE(DisplaysLocked(0, std::nullopt, CurrentLockTarget(db))) << "nothing locked yet";
    const std::optional<LockTarget> locked = CurrentLockTarget(db);
    EXPECT_TRUE(DisplaysLocked(0, locked, CurrentLockTarget(db)));
    EXPECT_FALSE(DisplaysLocked(1, locked, CurrentLockTarget(db))) << "the card reports no lock";

    Added(db, Transponder(12188, 27500, 1));
    EXPECT_FALSE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "a new transponder is current";
    db.SelectTransponder(first);
    EXPECT_TRUE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "back to the locked one";
    astra->diseqcPort = 2;
    EXPECT_FALSE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "another switch input";
    astra->diseqcPort = 1;

    db.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    EXPECT_FALSE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "a new satellite has no transponder";
}

}   // namespace
