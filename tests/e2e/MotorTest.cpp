// The motor group of the Dish Setting page against the simulated positioner:
// hold buttons, limits, stored positions, USALS, the coordinate checks and
// the motor values in the registry.
#include "tests/e2e/Harness.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/SatelliteFile.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>

namespace {

constexpr int kFixed = 0;
constexpr int kMotor = 1;
constexpr int kUsals = 2;

FileSatellite DishSatellite(const std::string& name, int degree, int dishType)
{
    FileSatellite satellite;
    satellite.name = name;
    satellite.degree = degree;
    satellite.dishType = dishType;
    FileTransponder transponder;
    transponder.name = "11494H/22000";
    transponder.frequency = 11494;
    transponder.symbolRate = 22000;
    transponder.polarity = 1;
    satellite.transponders.push_back(transponder);
    return satellite;
}

// Starts on the Dish Setting page with the satellites; the first is current.
bool StartOnDishPage(LumisatRun& run, const std::vector<FileSatellite>& satellites)
{
    return StartWithSatellites(run, satellites) && ShowTab(run.MainDialog(), kDishTab, IDC_DISH_LOCK_TEST);
}

bool Enabled(const LumisatRun& run, int id)
{
    HWND control = FindVisibleControl(run.MainDialog(), id);
    return control != nullptr && IsWindowEnabled(control) != FALSE;
}

std::map<int, bool> MotorGroupStates(const LumisatRun& run)
{
    std::map<int, bool> states;
    for (int id : {IDC_DISH_LONGITUDE, IDC_DISH_LATITUDE, IDC_DISH_GOTO_SATELLITE, IDC_DISH_DRIVE_EAST,
                   IDC_DISH_DRIVE_WEST, IDC_DISH_SET_EAST_LIMIT, IDC_DISH_SET_WEST_LIMIT, IDC_DISH_CANCEL_LIMIT,
                   IDC_DISH_GOTO_ZERO, IDC_DISH_POSITION_COMBO, IDC_DISH_POSITION_GOTO, IDC_DISH_POSITION_SET})
        states[id] = Enabled(run, id);
    return states;
}

std::map<int, bool> ExpectedStates(bool usalsControls, bool motorControls, bool cancelLimit, bool gotoPosition)
{
    return {{IDC_DISH_LONGITUDE, usalsControls},      {IDC_DISH_LATITUDE, usalsControls},
            {IDC_DISH_GOTO_SATELLITE, usalsControls}, {IDC_DISH_DRIVE_EAST, motorControls},
            {IDC_DISH_DRIVE_WEST, motorControls},     {IDC_DISH_SET_EAST_LIMIT, motorControls},
            {IDC_DISH_SET_WEST_LIMIT, motorControls}, {IDC_DISH_CANCEL_LIMIT, cancelLimit},
            {IDC_DISH_GOTO_ZERO, motorControls},      {IDC_DISH_POSITION_COMBO, motorControls},
            {IDC_DISH_POSITION_GOTO, gotoPosition},   {IDC_DISH_POSITION_SET, motorControls}};
}

// Clicks a button of the page and returns once its handler has run.
void Press(const LumisatRun& run, int id)
{
    SendNotification(FindVisibleControl(run.MainDialog(), id), BN_CLICKED);
}

HWND Edit(const LumisatRun& run, int id)
{
    return FindControl(run.MainDialog(), id);
}

size_t LogSize(const LumisatRun& run)
{
    return run.CallLogLines().size();
}

// The angle and elevation the simulator returned from its last GotoSat.
bool LoggedGotoSatResults(const LumisatRun& run, size_t from, double& angle, double& elevation)
{
    const std::vector<std::string> calls = CallsFrom(run, "GotoSat(", from);
    if (calls.empty())
        return false;
    const size_t arrow = calls.back().find("-> ");
    if (arrow == std::string::npos)
        return false;
    char* end = nullptr;
    angle = std::strtod(calls.back().c_str() + arrow + 3, &end);
    if (end == nullptr || *end != ',')
        return false;
    elevation = std::strtod(end + 1, nullptr);
    return true;
}

}  // namespace

TEST(Motor, ControlsFollowTheDishTypeOfTheSatellite)
{
    LumisatRun run("motor_enabling");
    ASSERT_TRUE(StartOnDishPage(run, {DishSatellite("Fixed", 192, kFixed), DishSatellite("Motor", 130, kMotor),
                                      DishSatellite("Usals", 282, kUsals)}));
    HWND satellites = FindControl(run.MainDialog(), IDC_MAIN_SATELLITE_COMBO);
    EXPECT_EQ(MotorGroupStates(run), ExpectedStates(false, false, false, false)) << "Fixed";
    ChooseItemNow(satellites, 1);
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_TYPE_TEXT)), "DiSEqC 1.2 motor");
    EXPECT_EQ(MotorGroupStates(run), ExpectedStates(false, true, false, false)) << "DiSEqC 1.2 motor";
    ChooseItemNow(satellites, 2);
    EXPECT_EQ(MotorGroupStates(run), ExpectedStates(true, true, false, false)) << "USALS";

    EXPECT_EQ(ComboTexts(Edit(run, IDC_DISH_POSITION_COMBO)),
              (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_LONGITUDE)), "11.9");
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_LATITUDE)), "45.0");
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_MOTOR_ANGLE)), "-8.1");
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_ELEVATION)), "38.2");
}

TEST(Motor, HoldButtonsDriveWhileHeldAndStopTwice)
{
    LumisatRun run("motor_hold");
    ASSERT_TRUE(StartOnDishPage(run, {DishSatellite("Motor", 130, kMotor)}));
    EXPECT_FALSE(IsWindowEnabled(FindControl(run.MainDialog(), IDC_MAIN_APPLY)));

    for (const auto& [id, drive] : {std::pair{IDC_DISH_DRIVE_EAST, "DriveEast("}, std::pair{IDC_DISH_DRIVE_WEST, "DriveWest("}}) {
        HWND button = FindVisibleControl(run.MainDialog(), id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(WindowText(button), id == IDC_DISH_DRIVE_EAST ? "Drive East" : "Drive West");
        const size_t before = LogSize(run);
        SendMessageTimeoutA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4), SMTO_NORMAL, 5000, nullptr);
        ASSERT_TRUE(run.WaitForCall(drive, before)) << drive;
        EXPECT_TRUE(CallsFrom(run, "StopMotor(", before).empty()) << "the motor runs while the button is held";

        SendMessageTimeoutA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4), SMTO_NORMAL, 5000, nullptr);
        ASSERT_TRUE(WaitFor([&] { return CallsFrom(run, "StopMotor(", before).size() == 2; })) << drive;
        const std::vector<std::string> lines = run.CallLogLines();
        size_t firstStop = before;
        while (firstStop < lines.size() && lines[firstStop].rfind("StopMotor(", 0) != 0)
            ++firstStop;
        ASSERT_LT(firstStop + 1, lines.size());
        EXPECT_EQ(lines[firstStop + 1].rfind("StopMotor(", 0), 0u) << "nothing reaches the card between the stops";
        EXPECT_EQ(CallsFrom(run, drive, before).size(), 1u);
    }
    EXPECT_TRUE(IsWindowEnabled(FindControl(run.MainDialog(), IDC_MAIN_APPLY)));

    // A button that loses the mouse while held gets no button-up: the motor is stopped all the same.
    HWND east = FindVisibleControl(run.MainDialog(), IDC_DISH_DRIVE_EAST);
    const size_t before = LogSize(run);
    SendMessageTimeoutA(east, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4), SMTO_NORMAL, 5000, nullptr);
    ASSERT_TRUE(run.WaitForCall("DriveEast(", before));
    SendMessageTimeoutA(east, WM_CAPTURECHANGED, 0, 0, SMTO_NORMAL, 5000, nullptr);
    EXPECT_TRUE(WaitFor([&] { return CallsFrom(run, "StopMotor(", before).size() == 2; }));
}

TEST(Motor, LimitsAreEnabledOnceBothAreSetAndReachTheRegistry)
{
    LumisatRun run("motor_limits");
    ASSERT_TRUE(StartOnDishPage(run, {DishSatellite("Motor", 130, kMotor)}));
    size_t before = LogSize(run);
    Press(run, IDC_DISH_SET_EAST_LIMIT);
    EXPECT_EQ(CallsFrom(run, "SetEastLimit(", before).size(), 1u);
    EXPECT_TRUE(CallsFrom(run, "EnableLimit(", before).empty());
    EXPECT_FALSE(Enabled(run, IDC_DISH_SET_EAST_LIMIT));
    EXPECT_TRUE(Enabled(run, IDC_DISH_SET_WEST_LIMIT));
    EXPECT_TRUE(Enabled(run, IDC_DISH_CANCEL_LIMIT));

    Press(run, IDC_DISH_SET_WEST_LIMIT);
    const std::vector<std::string> lines = run.CallLogLines();
    ASSERT_GE(lines.size(), before + 3);
    EXPECT_EQ(CallsFrom(run, "EnableLimit(", before).size(), 1u);
    EXPECT_EQ(lines.back().rfind("EnableLimit(", 0), 0u) << "after the west limit";
    EXPECT_FALSE(Enabled(run, IDC_DISH_SET_EAST_LIMIT));
    EXPECT_FALSE(Enabled(run, IDC_DISH_SET_WEST_LIMIT));

    before = LogSize(run);
    Press(run, IDC_DISH_CANCEL_LIMIT);
    EXPECT_EQ(CallsFrom(run, "CancelLimit(", before).size(), 1u);
    EXPECT_TRUE(Enabled(run, IDC_DISH_SET_EAST_LIMIT));
    EXPECT_TRUE(Enabled(run, IDC_DISH_SET_WEST_LIMIT));
    EXPECT_FALSE(Enabled(run, IDC_DISH_CANCEL_LIMIT));

    // Limits the motor holds survive a refresh of the page before Apply.
    Press(run, IDC_DISH_SET_WEST_LIMIT);
    Press(run, IDC_DISH_SET_EAST_LIMIT);
    ASSERT_TRUE(ShowTab(run.MainDialog(), kLnbTab, IDC_LNB_POWER));
    ASSERT_TRUE(ShowTab(run.MainDialog(), kDishTab, IDC_DISH_LOCK_TEST));
    EXPECT_TRUE(Enabled(run, IDC_DISH_CANCEL_LIMIT));
    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    DWORD limits = 0;
    ASSERT_TRUE(run.RegistryNumber("Motor Limit", limits));
    EXPECT_EQ(limits, 3u);
}

TEST(Motor, StoredPositionsEnableGotoAndReachTheRegistry)
{
    LumisatRun run("motor_positions");
    ASSERT_TRUE(StartOnDishPage(run, {DishSatellite("Motor", 130, kMotor)}));
    ChooseItemNow(Edit(run, IDC_DISH_POSITION_COMBO), 3);
    EXPECT_FALSE(Enabled(run, IDC_DISH_POSITION_GOTO)) << "position 3 is not stored yet";

    size_t before = LogSize(run);
    Press(run, IDC_DISH_POSITION_SET);
    ASSERT_EQ(CallsFrom(run, "StoreSatPosition(4)", before).size(), 1u) << "the driver counts from 1";
    EXPECT_TRUE(Enabled(run, IDC_DISH_POSITION_GOTO));

    before = LogSize(run);
    Press(run, IDC_DISH_POSITION_GOTO);
    EXPECT_EQ(CallsFrom(run, "GotoSatPosition(4)", before).size(), 1u);
    ChooseItemNow(Edit(run, IDC_DISH_POSITION_COMBO), 2);
    EXPECT_FALSE(Enabled(run, IDC_DISH_POSITION_GOTO));

    before = LogSize(run);
    Press(run, IDC_DISH_GOTO_ZERO);
    EXPECT_EQ(CallsFrom(run, "GotoZero(", before).size(), 1u);

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    DWORD mask = 0;
    DWORD index = 0;
    ASSERT_TRUE(run.RegistryNumber("DishPosInfo", mask));
    ASSERT_TRUE(run.RegistryNumber("CurDishID", index));
    EXPECT_EQ(mask, 1u << 3);
    EXPECT_EQ(index, 2u);
}

TEST(Motor, GotoSatelliteShowsWhatTheDriverComputes)
{
    LumisatRun run("motor_usals");
    ASSERT_TRUE(StartOnDishPage(run, {DishSatellite("Astra 19.2E", 192, kUsals)}));
    EnterText(Edit(run, IDC_DISH_LONGITUDE), "5.0");
    EnterText(Edit(run, IDC_DISH_LATITUDE), "52.0");
    const size_t before = LogSize(run);
    Press(run, IDC_DISH_GOTO_SATELLITE);

    const std::vector<std::string> calls = CallsFrom(run, "GotoSat(", before);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("GotoSat(192.00,5.00,52.00) = 0", 0), 0u) << calls[0];
    // Site 52.0N 5.0E looking at 19.2E: the motor turns 15.6 degrees east.
    double angle = 0;
    double elevation = 0;
    ASSERT_TRUE(LoggedGotoSatResults(run, before, angle, elevation));
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_MOTOR_ANGLE)), "15.6");
    EXPECT_NEAR(angle, 15.6, 0.05);
    const std::string shownElevation = WindowText(Edit(run, IDC_DISH_ELEVATION));
    EXPECT_NEAR(std::atof(shownElevation.c_str()), elevation, 0.051);
    EXPECT_EQ(shownElevation.find('.'), shownElevation.size() - 2) << "one decimal: " << shownElevation;
    EXPECT_TRUE(NoProgramMessageFor(run, std::chrono::milliseconds(300)));

    // Goto Satellite saves the motor values at once.
    EXPECT_EQ(run.RegistryString("Motor Longitude"), "5.0");
    EXPECT_EQ(run.RegistryString("Motor Latitude"), "52.0");
    EXPECT_EQ(run.RegistryString("Motor Degree"), "15.6");
    EXPECT_EQ(run.RegistryString("Motor Elevation"), shownElevation);
    EXPECT_TRUE(IsWindowEnabled(FindControl(run.MainDialog(), IDC_MAIN_APPLY)));

    // A refresh shows the saved values again.
    ASSERT_TRUE(ShowTab(run.MainDialog(), kLnbTab, IDC_LNB_POWER));
    ASSERT_TRUE(ShowTab(run.MainDialog(), kDishTab, IDC_DISH_LOCK_TEST));
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_LONGITUDE)), "5.0");
    EXPECT_EQ(WindowText(Edit(run, IDC_DISH_MOTOR_ANGLE)), "15.6");
}

TEST(Motor, UnreachableSatelliteIsReportedAndItsAnglesShown)
{
    LumisatRun run("motor_unreachable");
    ASSERT_TRUE(StartOnDishPage(run, {DishSatellite("Far East 120.0E", 1200, kUsals)}));
    EnterText(Edit(run, IDC_DISH_LONGITUDE), "5.0");
    EnterText(Edit(run, IDC_DISH_LATITUDE), "52.0");
    const size_t before = LogSize(run);
    ClickIn(run.MainDialog(), IDC_DISH_GOTO_SATELLITE);

    HWND box = WaitForProgramMessage(run);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Can not reach this satellite from your location!");
    EXPECT_EQ(WindowText(box), kMainTitle);
    ASSERT_TRUE(Answer(box, IDOK));

    double angle = 0;
    double elevation = 0;
    ASSERT_TRUE(LoggedGotoSatResults(run, before, angle, elevation));
    EXPECT_LT(elevation, 0.0) << "below the horizon";
    ASSERT_TRUE(WaitFor([&] { return WindowText(Edit(run, IDC_DISH_ELEVATION)) != "38.2"; }));
    EXPECT_NEAR(std::atof(WindowText(Edit(run, IDC_DISH_MOTOR_ANGLE)).c_str()), angle, 0.051);
    EXPECT_NEAR(std::atof(WindowText(Edit(run, IDC_DISH_ELEVATION)).c_str()), elevation, 0.051);
    EXPECT_EQ(run.RegistryString("Motor Elevation"), WindowText(Edit(run, IDC_DISH_ELEVATION)))
        << "shown and saved anyway";
}

TEST(Motor, CoordinatesAreCheckedWhenTheEditIsLeft)
{
    LumisatRun run("motor_coordinates");
    ASSERT_TRUE(StartOnDishPage(run, {DishSatellite("Usals", 192, kUsals)}));
    HWND apply = FindControl(run.MainDialog(), IDC_MAIN_APPLY);
    HWND longitude = Edit(run, IDC_DISH_LONGITUDE);
    HWND latitude = Edit(run, IDC_DISH_LATITUDE);

    for (const char* typed : {"", "-", "-.5", "12.", ".5", "1.2.3", "12-", "180.1", "-180.5", "1e2", "abc"}) {
        EnterText(longitude, typed);
        EXPECT_EQ(WindowText(longitude), "11.9") << "typed '" << typed << "'";
    }
    for (const char* typed : {"90.1", "-91", "4x"}) {
        EnterText(latitude, typed);
        EXPECT_EQ(WindowText(latitude), "45.0") << "typed '" << typed << "'";
    }
    EnterText(longitude, "11.9");
    EXPECT_FALSE(IsWindowEnabled(apply)) << "restored or unchanged texts change nothing";
    EXPECT_TRUE(NoProgramMessageFor(run, std::chrono::milliseconds(300)));

    EnterText(longitude, "-5.5");
    EXPECT_EQ(WindowText(longitude), "-5.5");
    EXPECT_TRUE(IsWindowEnabled(apply));
    EnterText(longitude, "180");
    EXPECT_EQ(WindowText(longitude), "180");
    EnterText(latitude, "-90");
    EXPECT_EQ(WindowText(latitude), "-90");
    // The fallback stays the saved text until the values are saved.
    EnterText(longitude, "181");
    EXPECT_EQ(WindowText(longitude), "11.9");
    EnterText(longitude, "-5.5");

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadDatabase(run, saved));
    EXPECT_EQ(run.RegistryString("Motor Longitude"), "-5.5");
    EXPECT_EQ(run.RegistryString("Motor Latitude"), "-90");
    EXPECT_EQ(run.RegistryString("Motor Degree"), "-8.1");
    EXPECT_EQ(run.RegistryString("Motor Elevation"), "38.2");
    DWORD value = 99;
    EXPECT_TRUE(run.RegistryNumber("Motor Limit", value));
    EXPECT_EQ(value, 0u);
}
