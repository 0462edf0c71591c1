// The motor group of the Dish Setting page wired to the simulated positioner
// and the registry: the hold buttons, and limits, stored positions and the
// site's coordinates reaching the driver and the motor values.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

constexpr int kMotor = 1;
constexpr int kUsals = 2;

bool StartOnDishPage(LumisatRun& run, int dishType)
{
    FileSatellite satellite = Astra();
    satellite.dishType = dishType;
    return StartWithSatellites(run, {satellite}) && run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST);
}

// Clicks a button of the page and returns once its handler has run.
void Press(const LumisatRun& run, int id)
{
    SendNotification(FindVisibleControl(run.MainDialog(), id), BN_CLICKED);
}

}  // namespace

TEST(Motor, HoldButtonsDriveWhileHeldAndStopTwice)
{
    LumisatRun run("motor_hold");
    ASSERT_TRUE(StartOnDishPage(run, kMotor));
    for (const auto& [id, drive] : {std::pair{IDC_DISH_DRIVE_EAST, "DriveEast("}, std::pair{IDC_DISH_DRIVE_WEST, "DriveWest("}}) {
        HWND button = FindVisibleControl(run.MainDialog(), id);
        ASSERT_NE(button, nullptr);
        const size_t before = run.LogSize();
        SendMessageTimeoutA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4), SMTO_NORMAL, 5000, nullptr);
        ASSERT_TRUE(run.WaitForCall(drive, before)) << drive;
        EXPECT_TRUE(run.CallsFrom("StopMotor(", before).empty()) << "the motor runs while the button is held";
        // A button that loses the mouse while held gets no button-up: the motor is stopped all the same.
        if (id == IDC_DISH_DRIVE_EAST)
            SendMessageTimeoutA(button, WM_CAPTURECHANGED, 0, 0, SMTO_NORMAL, 5000, nullptr);
        else
            SendMessageTimeoutA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4), SMTO_NORMAL, 5000, nullptr);
        ASSERT_TRUE(WaitFor([&] { return run.CallsFrom("StopMotor(", before).size() == 2; })) << drive;
        const std::vector<std::string> lines = run.CallLogLines();
        const size_t firstStop = FindLine(lines, "StopMotor(", before);
        EXPECT_EQ(FindLine(lines, "StopMotor(", firstStop + 1), firstStop + 1) << "nothing between the stops";
        EXPECT_EQ(run.CallsFrom(drive, before).size(), 1u);
    }
    EXPECT_TRUE(IsWindowEnabled(run.Control(IDC_MAIN_APPLY)));
}

TEST(Motor, LimitsPositionsAndTheSiteReachTheDriverAndTheRegistry)
{
    LumisatRun run("motor_values");
    ASSERT_TRUE(StartOnDishPage(run, kUsals));
    size_t before = run.LogSize();
    Press(run, IDC_DISH_SET_EAST_LIMIT);
    Press(run, IDC_DISH_SET_WEST_LIMIT);
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"SetEastLimit(", "SetWestLimit(", "EnableLimit("}, before));
    EXPECT_TRUE(IsWindowEnabled(FindVisibleControl(run.MainDialog(), IDC_DISH_CANCEL_LIMIT)));

    ChooseItemNow(run.Control(IDC_DISH_POSITION_COMBO), 3);
    Press(run, IDC_DISH_POSITION_SET);
    Press(run, IDC_DISH_POSITION_GOTO);
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"StoreSatPosition(4)", "GotoSatPosition(4)"}, before))
        << "the driver counts from 1";

    HWND longitude = run.Control(IDC_DISH_LONGITUDE);
    EnterText(longitude, "181");
    EXPECT_EQ(WindowText(longitude), "11.9") << "refused: the saved text again";
    EnterText(longitude, "5.0");
    EnterText(run.Control(IDC_DISH_LATITUDE), "52.0");
    EXPECT_TRUE(run.NoMessageBoxFor(milliseconds(300)));
    before = run.LogSize();
    Press(run, IDC_DISH_GOTO_SATELLITE);
    const std::vector<std::string> calls = run.CallsFrom("GotoSat(", before);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("GotoSat(192.00,5.00,52.00) = 0", 0), 0u) << calls[0];
    // Site 52.0N 5.0E looking at 19.2E: the motor turns 15.6 degrees east.
    EXPECT_EQ(WindowText(run.Control(IDC_DISH_MOTOR_ANGLE)), "15.6");

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndRead(run, saved));
    DWORD limits = 0, positions = 0, current = 0;
    EXPECT_TRUE(run.RegistryNumber("Motor Limit", limits));
    EXPECT_EQ(limits, 3u);
    EXPECT_TRUE(run.RegistryNumber("DishPosInfo", positions));
    EXPECT_EQ(positions, 1u << 3);
    EXPECT_TRUE(run.RegistryNumber("CurDishID", current));
    EXPECT_EQ(current, 3u);
    EXPECT_EQ(run.RegistryString("Motor Longitude"), "5.0");
    EXPECT_EQ(run.RegistryString("Motor Latitude"), "52.0");
    EXPECT_EQ(run.RegistryString("Motor Degree"), "15.6");
}
