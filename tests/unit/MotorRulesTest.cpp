#include "tuning/MotorCommands.h"
#include "tuning/MotorRules.h"
#include "tuning/MotorSettings.h"

#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class RecordingMotorHost : public MotorHost {
public:
    explicit RecordingMotorHost(CallLog& log) : log(log) {}
    void StopSignalTimer() override { log.Add("StopSignalTimer"); }
    void StartSignalTimer() override { log.Add("StartSignalTimer"); }
    void MarkSettingsChanged() override { log.Add("MarkSettingsChanged"); }
    void UpdateLimitButtons(std::uint32_t flags) override { log.Add("UpdateLimitButtons(" + std::to_string(flags) + ")"); }
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
    MotorCommands commands{driver, host, settings,
                           [this](std::chrono::milliseconds pause) { log.Add("Sleep(" + std::to_string(pause.count()) + ")"); }};
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
    EXPECT_EQ(CheckCoordinate("120", "45.0", kLatitudeBound).text, "45.0");
}

TEST(MotorRules, DecimalReadingStopsAtTheFirstForeignCharacter)
{
    const std::pair<const char*, double> readings[] = {{"-8.1", -8.1}, {"  3.5", 3.5}, {"12abc", 12}, {"1e5", 1},
                                                       {".5", 0.5},    {"-", 0},        {"0x10", 0},  {"", 0}};
    for (const auto& [text, value] : readings)
        EXPECT_DOUBLE_EQ(ReadDecimal(text), value) << text;
}

TEST(MotorRules, ControlsFollowTheDishType)
{
    const PositionInputs none{kNoDishType, 0xFF, 0};
    const auto noSatellite = MotorControlRules(kNoDishType, 0, none);
    const auto fixed = MotorControlRules(kDishFixed, 0, PositionInputs{kDishFixed, 0xFF, 0});
    for (const auto& states : {noSatellite, fixed}) {
        EXPECT_FALSE(states.longitude || states.latitude || states.gotoSatellite || states.driveEast ||
                     states.driveWest || states.gotoZero);
        EXPECT_FALSE(states.limits.setEastLimit || states.limits.setWestLimit || states.limits.cancelLimit);
        EXPECT_FALSE(states.positions.positionList || states.positions.gotoPosition || states.positions.setPosition);
    }

    const auto motor = MotorControlRules(kDishDiseqcMotor, 0, PositionInputs{kDishDiseqcMotor, 0, 0});
    EXPECT_FALSE(motor.longitude || motor.latitude || motor.gotoSatellite);
    EXPECT_TRUE(motor.driveEast && motor.driveWest && motor.gotoZero);
    EXPECT_TRUE(motor.limits.setEastLimit && motor.limits.setWestLimit);
    EXPECT_FALSE(motor.limits.cancelLimit);
    EXPECT_TRUE(motor.positions.positionList && motor.positions.setPosition);
    EXPECT_FALSE(motor.positions.gotoPosition) << "nothing stored yet";

    const auto usals = MotorControlRules(kDishUsals, kEastLimitSet, PositionInputs{kDishUsals, 0, 0});
    EXPECT_TRUE(usals.longitude && usals.latitude && usals.gotoSatellite && usals.driveEast && usals.gotoZero);
    EXPECT_FALSE(usals.limits.setEastLimit);
    EXPECT_TRUE(usals.limits.setWestLimit && usals.limits.cancelLimit);
}

TEST(MotorRules, GotoIsEnabledOnlyForAStoredPosition)
{
    EXPECT_FALSE(PositionControlRules({kDishDiseqcMotor, 0b0111, 3}).gotoPosition);
    EXPECT_TRUE(PositionControlRules({kDishDiseqcMotor, 0b1000, 3}).gotoPosition);
    EXPECT_TRUE(PositionControlRules({kDishUsals, 0x80, 7}).gotoPosition);
    EXPECT_FALSE(PositionControlRules({kDishDiseqcMotor, 0xFFFFFFFF, -1}).gotoPosition) << "no selection";
    EXPECT_FALSE(PositionControlRules({kDishDiseqcMotor, 0xFFFFFFFF, 40}).gotoPosition);
    EXPECT_FALSE(PositionControlRules({kDishFixed, 0xFF, 3}).setPosition);
}

TEST_F(MotorCommandsTest, BothLimitsEnableTheLimitsOnceAndCancelClearsThem)
{
    commands.SetEastLimit();
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "UpdateLimitButtons(1)", "SetEastLimit", "MarkSettingsChanged",
                                  "StartSignalTimer"}));
    commands.SetWestLimit();
    EXPECT_EQ(log.Matching("EnableLimit").size(), 1U);
    const auto entries = log.Entries();
    EXPECT_EQ(entries.back(), "StartSignalTimer");
    EXPECT_EQ(entries[entries.size() - 3], "EnableLimit");
    EXPECT_EQ(entries[entries.size() - 4], "SetWestLimit");
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

    settings.limitFlags = 4;    // a stray bit read from the registry
    commands.SetEastLimit();
    commands.SetWestLimit();
    EXPECT_EQ(log.Matching("EnableLimit").size(), 1U) << "both limits set despite the stray bit";
}

TEST_F(MotorCommandsTest, StoredPositionEnablesGoto)
{
    commands.PositionChosen(3);
    EXPECT_EQ(log.Entries(), (Log{"UpdatePositionControls", "MarkSettingsChanged"}));
    EXPECT_FALSE(PositionControlRules({kDishDiseqcMotor, settings.storedPositions, settings.positionIndex}).gotoPosition);

    log.Clear();
    commands.StorePosition(true, kDishDiseqcMotor);
    EXPECT_EQ(log.Entries(), (Log{"UpdatePositionControls", "StopSignalTimer", "StoreSatPosition(4)",
                                  "StartSignalTimer", "MarkSettingsChanged"}));
    EXPECT_TRUE(PositionControlRules({kDishDiseqcMotor, settings.storedPositions, settings.positionIndex}).gotoPosition);

    log.Clear();
    commands.GotoPosition();
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "GotoSatPosition(4)", "StartSignalTimer"}));

    log.Clear();
    commands.StorePosition(true, kDishFixed);
    commands.StorePosition(false, kDishUsals);
    commands.PositionChosen(-1);
    commands.GotoPosition();
    commands.StorePosition(true, kDishUsals);
    EXPECT_EQ(log.Count("StoreSatPosition"), 0);
    EXPECT_EQ(log.Count("GotoSatPosition"), 0) << "no position chosen";
}

TEST_F(MotorCommandsTest, HoldButtonsDriveAndStopTwice)
{
    commands.HoldPressed(0x10000 | kDriveEastButtonId);
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "DriveEast", "MarkSettingsChanged", "StartSignalTimer"}));
    log.Clear();
    commands.HoldReleased(kDriveEastButtonId);
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "StopMotor", "Sleep(100)", "StopMotor", "MarkSettingsChanged",
                                  "StartSignalTimer"}));
    log.Clear();
    commands.HoldPressed(kDriveWestButtonId);
    EXPECT_EQ(log.Count("DriveWest"), 1);
    log.Clear();
    commands.HoldPressed(1081);
    commands.HoldReleased(1081);
    EXPECT_EQ(log.Count("Drive"), 0);
    EXPECT_EQ(log.Count("StopMotor"), 0);

    log.Clear();
    commands.GotoZero();
    EXPECT_EQ(log.Entries(), (Log{"StopSignalTimer", "GotoZero", "StartSignalTimer", "MarkSettingsChanged"}));
}

TEST(MotorRules, GotoSatelliteFormatsTheDriverResults)
{
    ScriptedDriver driver;
    driver.gotoSatAngle = -8.14;
    driver.gotoSatElevation = 38.26;
    auto result = GotoSatellite(driver, 192, "-5.5", "45.0x");
    EXPECT_EQ(driver.Calls(), (Log{"GotoSat(192,-5.5,45)"}));
    EXPECT_FALSE(result.unreachable);
    EXPECT_EQ(result.angleText, "-8.1");
    EXPECT_EQ(result.elevationText, "38.3");

    driver.SetResult("GotoSat", 1);
    driver.gotoSatWrites = false;
    result = GotoSatellite(driver, 3600, "11.9", "45.0");
    EXPECT_TRUE(result.unreachable);
    EXPECT_EQ(result.angleText, "0.0");
    EXPECT_EQ(result.elevationText, "0.0");
    EXPECT_STREQ(kUnreachableMessageKey, "String2");
    EXPECT_STREQ(kUnreachableMessageText, "Can not reach this satellite from your location!");

    driver.gotoSatWrites = true;
    driver.gotoSatAngle = 1e300;
    result = GotoSatellite(driver, 0, "0", "0");
    EXPECT_LT(result.angleText.size(), 64U) << "an absurd result stays bounded";
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
    settings.limitFlags = 3;          // both limits set since the load
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

} // namespace
