#include "app/LockDisplay.h"
#include "app/SignalRules.h"
#include "database/ChannelDatabase.h"

#include "tests/unit/ScriptedDriver.h"

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

TEST(SignalRules, PercentagesAreClampedAndRaisedWhileLocked)
{
    SignalMonitor monitor;
    auto display = monitor.Show({90, -5, 1}, Context(0));
    EXPECT_EQ(display.strengthPercent, 100);
    EXPECT_EQ(display.qualityPercent, 20) << "negative while locked shows 20";
    EXPECT_EQ(display.lockState, 0);
    EXPECT_TRUE(display.trace.empty());
    EXPECT_FALSE(display.relock) << "locked with the filter running";

    display = monitor.Show({-5, 150, 0}, Context(0));
    EXPECT_EQ(display.strengthPercent, 0) << "negative while not locked shows 0";
    EXPECT_EQ(display.qualityPercent, 100);
    EXPECT_EQ(display.lockState, 1);
    EXPECT_EQ(display.trace, "nStrength = -5, nQuality = 150, nLock = 0\n");
    EXPECT_TRUE(display.relock);
}

TEST(SignalRules, LockWithoutTransponderShowsUnlockedButRaisedValues)
{
    SignalMonitor monitor;
    const auto display = monitor.Show({40, 50, 1}, Context(0, false, false));
    EXPECT_EQ(display.lockState, 1);
    EXPECT_EQ(display.strengthPercent, 60);
    EXPECT_EQ(display.qualityPercent, 70);
    EXPECT_TRUE(display.relock) << "the filter is stopped";
}

TEST(SignalRules, DeviceTypeIsAskedOnlyWithoutALock)
{
    SignalMonitor monitor;
    int asked = 0;
    SignalContext context{true, true, [&asked] { return ++asked, 0; }};
    monitor.Show({50, 50, 1}, context);
    EXPECT_EQ(asked, 0);
    monitor.Show({50, 50, 0}, context);
    EXPECT_EQ(asked, 1);
}

TEST(SignalRules, LevelJudgedCardStaysLockedUntilTheFourthWeakReading)
{
    SignalMonitor monitor;
    auto display = monitor.Show({50, 50, 0}, Context(1));
    EXPECT_FALSE(display.lockState.has_value()) << "good levels keep the lock display";
    EXPECT_EQ(display.strengthPercent, 70);
    EXPECT_FALSE(display.relock) << "no re-lock while the filter runs";
    EXPECT_EQ(display.trace, "nStrength = 50, nQuality = 50, nLock = 1\n");
    EXPECT_EQ(monitor.WeakReadings(), 0);

    for (int weak = 1; weak <= 3; ++weak) {
        display = monitor.Show({10, 80, 0}, Context(1));
        EXPECT_FALSE(display.lockState.has_value()) << "weak reading " << weak;
        EXPECT_EQ(monitor.WeakReadings(), weak);
    }
    display = monitor.Show({80, 29, -1}, Context(1));
    EXPECT_EQ(display.lockState, 1);
    EXPECT_TRUE(display.relock);
    EXPECT_EQ(display.qualityPercent, 29) << "no bonus once judged unlocked";
    EXPECT_EQ(display.trace, "nStrength = 80, nQuality = 29, nLock = -1\n");
    EXPECT_EQ(monitor.WeakReadings(), 0);

    monitor.Show({10, 10, 0}, Context(1));
    monitor.Show({10, 10, 0}, Context(1));
    monitor.Show({10, 10, 1}, Context(1));
    EXPECT_EQ(monitor.WeakReadings(), 0) << "a real lock starts the count again";

    display = monitor.Show({50, 50, 0}, Context(1, false));
    EXPECT_TRUE(display.relock) << "a stopped filter is restarted";
}

TEST(SignalRules, OtherCardsShowUnlockedAtOnce)
{
    SignalMonitor monitor;
    const auto display = monitor.Show({50, 50, 0}, Context(2));
    EXPECT_EQ(display.lockState, 1);
    EXPECT_TRUE(display.relock);
    EXPECT_EQ(display.strengthPercent, 50);
    EXPECT_EQ(monitor.WeakReadings(), 0);
}

TEST(SignalRules, IconColourAndBar)
{
    EXPECT_EQ(LockIconId(0), 135);
    EXPECT_EQ(LockIconId(255), 140);
    EXPECT_EQ(LockIconId(-1), 140);

    const BarColour green = LevelBarColour(true);
    const BarColour red = LevelBarColour(false);
    EXPECT_EQ((std::array<int, 3>{green.red, green.green, green.blue}), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ((std::array<int, 3>{red.red, red.green, red.blue}), (std::array<int, 3>{255, 0, 0}));

    const BarRect outer{10, 20, 109, 30};
    const BarRect half = BarFillRect(outer, 50);
    EXPECT_EQ(half.left, 10);
    EXPECT_EQ(half.top, 20);
    EXPECT_EQ(half.right, 10 + 49) << "99 * 50 / 100 truncates";
    EXPECT_EQ(half.bottom, 30);
    EXPECT_EQ(BarFillRect(outer, 0).right, 10);
    EXPECT_EQ(BarFillRect(outer, 100).right, 109);

    EXPECT_EQ(PercentText(100), "100%");
    EXPECT_EQ(PercentText(0), "0%");
}

} // namespace

namespace {

TransponderRecord* AddTransponder(CChannelDatabase& db, std::int32_t frequency, int polarity)
{
    auto record = std::make_unique<TransponderRecord>();
    record->frequency = frequency;
    record->symbolRate = 27500;
    record->polarity = polarity;
    TransponderRecord* added = record.get();
    db.AddTransponder(std::move(record), 1);
    return added;
}

TEST(LockDisplay, LockedOnlyForWhatTheLastLockWasRunFor)
{
    CChannelDatabase db;
    db.Load("");
    auto satellite = std::make_unique<SatelliteRecord>();
    satellite->diseqcPort = 1;
    SatelliteRecord* astra = satellite.get();
    db.AddSatellite(std::move(satellite), 1);
    TransponderRecord* first = AddTransponder(db, 11954, 1);

    EXPECT_FALSE(DisplaysLocked(0, std::nullopt, CurrentLockTarget(db))) << "nothing locked yet";
    const std::optional<LockTarget> locked = CurrentLockTarget(db);
    EXPECT_TRUE(DisplaysLocked(0, locked, CurrentLockTarget(db)));
    EXPECT_FALSE(DisplaysLocked(1, locked, CurrentLockTarget(db))) << "the card reports no lock";

    AddTransponder(db, 12188, 1);
    EXPECT_FALSE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "a new transponder is current";
    db.SelectTransponder(first);
    EXPECT_TRUE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "back to the locked one";
    astra->diseqcPort = 2;
    EXPECT_FALSE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "another switch input";
    astra->diseqcPort = 1;

    db.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    EXPECT_FALSE(DisplaysLocked(0, locked, CurrentLockTarget(db))) << "a new satellite has no transponder";
}

}  // namespace
