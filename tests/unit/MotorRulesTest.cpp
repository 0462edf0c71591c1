#include "tuning/MotorCommands.h"
#include "tuning/MotorRules.h"
#include "tuning/MotorSettings.h"

#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class RecordingMotorHost : public MotorHost {
public:
    explicit RecordingMotorHost(CallLog& log) : log(log) {}
    bool cardAnswers = true;
    bool AwaitCard() override { return cardAnswers; }
    void SetDishDriving(bool driving) override { log.Add(driving ? "Driving" : "Stopped"); }
    void DishMoved() override { log.Add("Moved"); }
    void StopSignalTimer() override { log.Add("StopSignalTimer"); }
    void StartSignalTimer() override { log.Add("StartSignalTimer"); }
    void MarkSettingsChanged() override { log.Add("MarkSettingsChanged"); }
    void UpdateLimitButtons(std::uint32_t flags) override
    {
        log.Add("UpdateLimitButtons(" + std::to_string(flags) + ")");
    }
    void UpdatePositionControls() override { log.Add("UpdatePositionControls"); }

private:
    CallLog& log;
};

class MotorCommandsTest : public testing::Test {
protected:
    CallLog log;
    ScriptedDriver driver{log};
    RecordingMotorHost host{log};
    MotorSettings settings;
    DriverGate gate{driver, std::chrono::milliseconds(50)};
    MotorCommands commands{gate, host, settings, [](std::chrono::milliseconds) {}};
};

TEST(MotorRules, CoordinateTextsOutsideTheFormOrBoundFallBackToTheSavedText)
{
    for (const char* accepted : {"-5.5", "180", "-180", "0", "12", "07.25"}) {
        const auto edit = CheckCoordinate(accepted, "11.9", kLongitudeBound);
        EXPECT_EQ(edit.text, accepted);
        EXPECT_TRUE(edit.changed) << accepted;
    }
    for (const char* rejected : {"", "-", "-.", "5.", "1.2.3", "5-", "180.1", ".5", "--5", "1a", " 5", "+5", "1,5"}) {
        const auto edit = CheckCoordinate(rejected, "11.9", kLongitudeBound);
        EXPECT_EQ(edit.text, "11.9") << '"' << rejected << '"';
        EXPECT_FALSE(edit.changed) << '"' << rejected << '"';
    }
    EXPECT_FALSE(CheckCoordinate("11.9", "11.9", kLongitudeBound).changed) << "unchanged text";
    EXPECT_EQ(CheckCoordinate("90", "45.0", kLatitudeBound).text, "90");
    EXPECT_EQ(CheckCoordinate("-90.5", "45.0", kLatitudeBound).text, "45.0");
}

TEST_F(MotorCommandsTest, BothLimitsEnableTheLimitsOnceAndCancelClearsThem)
{
    commands.SetEastLimit();
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "UpdateLimitButtons(1)", "SetEastLimit", "MarkSettingsChanged",
                                  "StartSignalTimer"}));
    log.Clear();
    commands.SetWestLimit();
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "UpdateLimitButtons(3)", "SetWestLimit", "EnableLimit",
                                  "MarkSettingsChanged", "StartSignalTimer"}));
    const auto both = LimitButtonRules(settings.limitFlags);
    EXPECT_FALSE(both.setEastLimit || both.setWestLimit);
    EXPECT_TRUE(both.cancelLimit);

    log.Clear();
    commands.CancelLimit();
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "UpdateLimitButtons(0)", "CancelLimit", "StartSignalTimer",
                                  "MarkSettingsChanged"}));
    const auto cleared = LimitButtonRules(settings.limitFlags);
    EXPECT_TRUE(cleared.setEastLimit && cleared.setWestLimit);
    EXPECT_FALSE(cleared.cancelLimit);

    settings.limitFlags = 4;   // a stray bit read from the registry
    commands.SetEastLimit();
    commands.SetWestLimit();
    EXPECT_EQ(log.Matching("EnableLimit").size(), 1U) << "both limits set despite the stray bit";
}

TEST_F(MotorCommandsTest, CommandsRefusedForABusyCardSendNothingAndChangeNothing)
{
    host.cardAnswers = false;
    commands.HoldPressed(kDriveEastButtonId);
    commands.GotoZero();
    commands.SetEastLimit();
    commands.CancelLimit();
    commands.GotoPosition();
    commands.StorePosition(true, 1);
    EXPECT_EQ(log.Entries(), Log{});
    EXPECT_EQ(settings.limitFlags, 0U);
    EXPECT_EQ(settings.storedPositions, 0U);
}

TEST_F(MotorCommandsTest, ReleaseStopsTheDishEvenWhenTheCardIsBusyForLong)
{
    commands.HoldPressed(kDriveWestButtonId);
    EXPECT_EQ(log.Entries(),
              (Log{"StopSignalTimer", "Driving", "Moved", "DriveWest", "MarkSettingsChanged", "StartSignalTimer"}));

    // A tune holds the card past the release's wait: the stops go once it is free.
    log.Clear();
    std::optional<DriverLease> tune = gate.TryLease();
    ASSERT_TRUE(tune);
    tune->HandOver();
    commands.HoldReleased(kDriveWestButtonId);
    EXPECT_EQ(log.Matching("StopMotor").size(), 0U);
    EXPECT_EQ(log.Matching("Stopped").size(), 1U) << "no silent re-lock waits for the stops";
    tune->Release();
    for (int i = 0; i < 1000 && log.Matching("StopMotor").size() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(log.Matching("StopMotor").size(), 2U);
    EXPECT_EQ(driver.Overlaps(), 0);
}

TEST(MotorSettings, LoadDefaultsTheNumbersAndReloadKeepsWhatTheMotorHolds)
{
    MapStore store;
    MotorSettings settings;
    settings.storedPositions = 0x21;
    settings.positionIndex = 5;
    LoadMotorSettings(store, settings);
    EXPECT_EQ(std::vector<std::string>({settings.longitude, settings.latitude, settings.angle, settings.elevation}),
              std::vector<std::string>({"11.9", "45.0", "-8.1", "38.2"}));
    EXPECT_EQ(settings.storedPositions, 0x21U) << "a missing mask keeps the page's";
    EXPECT_EQ(settings.positionIndex, 0);

    store.strings = {{"Motor Longitude", "-5.5"}, {"Motor Degree", "15.6"}};
    store.dwords = {{"Motor Limit", 2}, {"DishPosInfo", 0x8}, {"CurDishID", 9}};
    LoadMotorSettings(store, settings);
    EXPECT_EQ(settings.longitude, "-5.5");
    EXPECT_EQ(settings.limitFlags, 2U);
    EXPECT_EQ(settings.positionIndex, 0) << "an index outside 0 to 7";

    store.dwords["CurDishID"] = 6;
    settings.limitFlags = 3;   // both limits set since the load
    settings.storedPositions = 0x9;
    settings.longitude = "7.0";
    ReloadMotorSettings(store, settings);
    EXPECT_EQ(settings.limitFlags, 3U);
    EXPECT_EQ(settings.storedPositions, 0x9U);
    EXPECT_EQ(settings.positionIndex, 6) << "the chosen position is a setting like the texts";
    EXPECT_EQ(settings.longitude, "-5.5");
    EXPECT_EQ(settings.angle, "15.6");
    EXPECT_TRUE(store.writes.empty());
}

TEST(MotorSettings, SaveWritesInOrderAndTakesTheShownCoordinates)
{
    MapStore store;
    MotorSettings settings;
    settings.limitFlags = 1;
    settings.storedPositions = 0x10;
    settings.positionIndex = 4;
    SaveMotorSettings(store, MotorTexts{"-5.5", "40", "12.3", "33.1"}, settings);
    EXPECT_EQ(store.writes, (Log{"Motor Longitude=-5.5", "Motor Latitude=40", "Motor Degree=12.3",
                                 "Motor Elevation=33.1", "Motor Limit=1", "CurDishID=4", "DishPosInfo=16"}));
    EXPECT_EQ(settings.longitude, "-5.5");
    EXPECT_EQ(settings.latitude, "40");
    EXPECT_EQ(settings.angle, "-8.1") << "the saved angle is what the registry gives back at the next load";

    MotorSettings reloaded;
    LoadMotorSettings(store, reloaded);
    const auto shown = SavedMotorTexts(reloaded);
    EXPECT_EQ(shown.angle, "12.3");
    EXPECT_EQ(shown.elevation, "33.1");
    EXPECT_EQ(reloaded.positionIndex, 4);
}

}   // namespace
