// The motor group of the Dish Setting page wired to the simulated positioner
// and the registry: the hold buttons, and limits, stored positions and the
// site's coordinates reaching the driver and the motor values.
#include "tests/e2e/Scenario.h"

namespace {

void SendMouse(HWND button, UINT message, WPARAM keys = 0)
{
    SendMessageTimeoutA(button, message, keys, MAKELPARAM(4, 4), SMTO_NORMAL, 5000, nullptr);
}

}   // namespace

TEST(Motor, HoldButtonsLimitsPositionsAndTheSiteReachTheDriverAndTheRegistry)
{
    LumisatRun run("motor");
    FileSatellite usals = Astra();
    usals.dishType = 2;   // USALS
    ASSERT_TRUE(StartWithSatellites(run, {usals}));
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    // A button that loses the mouse while held gets no button-up: the motor is stopped all the same.
    for (const auto& [id, drive, release] : {std::tuple{IDC_DISH_DRIVE_EAST, "DriveEast(", WM_CAPTURECHANGED},
                                             std::tuple{IDC_DISH_DRIVE_WEST, "DriveWest(", WM_LBUTTONUP}}) {
        SCOPED_TRACE(drive);
        HWND button = FindVisibleControl(run.MainDialog(), id);
        ASSERT_NE(button, nullptr);
        const size_t before = run.LogSize();
        SendMouse(button, WM_LBUTTONDOWN, MK_LBUTTON);
        ASSERT_TRUE(run.WaitForCall(drive, before));
        EXPECT_TRUE(run.CallsFrom("StopMotor(", before).empty()) << "the motor runs while the button is held";
        SendMouse(button, release);
        ASSERT_TRUE(WaitFor([&] { return run.CallsFrom("StopMotor(", before).size() == 2; }));
        const Lines lines = run.CallLogLines();
        const size_t firstStop = FindLine(lines, "StopMotor(", before);
        EXPECT_EQ(FindLine(lines, "StopMotor(", firstStop + 1), firstStop + 1) << "nothing between the stops";
        EXPECT_EQ(run.CallsFrom(drive, before).size(), 1u);
    }
    EXPECT_TRUE(run.ApplyEnabled());

    size_t before = run.LogSize();
    run.Press(IDC_DISH_SET_EAST_LIMIT);
    run.Press(IDC_DISH_SET_WEST_LIMIT);
    ChooseItemNow(run.Control(IDC_DISH_POSITION_COMBO), 3);
    run.Press(IDC_DISH_POSITION_SET);
    run.Press(IDC_DISH_POSITION_GOTO);
    EXPECT_TRUE(HasInOrder(
        run.CallLogLines(),
        {"SetEastLimit(", "SetWestLimit(", "EnableLimit(", "StoreSatPosition(4)", "GotoSatPosition(4)"}, before))
        << "the driver counts positions from 1";
    EXPECT_TRUE(IsWindowEnabled(FindVisibleControl(run.MainDialog(), IDC_DISH_CANCEL_LIMIT)));

    HWND longitude = run.Control(IDC_DISH_LONGITUDE);
    EnterText(longitude, "181");
    EXPECT_EQ(WindowText(longitude), "11.9") << "refused: the saved text again";
    EnterText(longitude, "5.0");
    EnterText(run.Control(IDC_DISH_LATITUDE), "52.0");
    EXPECT_TRUE(run.NoMessageBox());
    before = run.LogSize();
    run.Press(IDC_DISH_GOTO_SATELLITE);
    const Lines calls = run.CallsFrom("GotoSat(", before);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("GotoSat(192.00,5.00,52.00) = 0", 0), 0u) << calls[0];
    // Site 52.0N 5.0E looking at 19.2E: the motor turns 15.6 degrees east.
    EXPECT_EQ(WindowText(run.Control(IDC_DISH_MOTOR_ANGLE)), "15.6");

    ASSERT_TRUE(run.Apply());
    DWORD limits = 0, positions = 0, current = 0;
    EXPECT_TRUE(run.RegistryNumber("Motor Limit", limits) && run.RegistryNumber("DishPosInfo", positions) &&
                run.RegistryNumber("CurDishID", current));
    EXPECT_EQ(std::vector<DWORD>({limits, positions, current}), std::vector<DWORD>({3u, 1u << 3, 3u}));
    EXPECT_EQ(run.RegistryString("Motor Longitude"), "5.0");
    EXPECT_EQ(run.RegistryString("Motor Latitude"), "52.0");
    EXPECT_EQ(run.RegistryString("Motor Degree"), "15.6");
}

// A moving dish is never locked, so every poll starts a silent re-lock: a hold
// button pressed during one waits for the card, no re-lock starts while it is
// held, and both stops reach the card.
TEST(Motor, HoldButtonWaitsForASilentReLockAndStopsTheDishTwice)
{
    LumisatRun run("motor_relock");
    FileSatellite motorised = Astra();
    motorised.diseqcPort = 4;   // "LNB D": the motorised dish, pointing at nothing at start
    motorised.dishType = 1;     // DiSEqC 1.2
    run.WriteIni(DemoIni("Quarlink.ini", "", 1500));
    run.WriteFile("satedata.dll", SatelliteFileBytes({motorised}));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForCall("LockChannel3(", 0, seconds(15))) << "the start-up lock answered";
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    HWND button = FindVisibleControl(run.MainDialog(), IDC_DISH_DRIVE_EAST);
    ASSERT_NE(button, nullptr);

    // The silent re-lock starts right after an unlocked poll and tunes for 1.5 s.
    const size_t from = run.LogSize();
    ASSERT_TRUE(run.WaitForCall("GetSignalStrAndQu() = 0 -> ", from, seconds(15)));
    Sleep(static_cast<DWORD>(kWorkerInsideCall.count()));
    SendMouse(button, WM_LBUTTONDOWN, MK_LBUTTON);
    ASSERT_TRUE(run.WaitForCall("DriveEast(", from, seconds(8)));
    const size_t drive = FindLine(run.CallLogLines(), "DriveEast(", from);
    ASSERT_TRUE(run.WaitForCall("GetSignalStrAndQu(", drive + 1)) << "a poll while the button is held";
    SendMouse(button, WM_LBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return run.CallsFrom("StopMotor(", from).size() == 2; }));

    Lines lines = run.CallLogLines();
    EXPECT_TRUE(HasInOrder(lines, {"LockChannel3(", "DriveEast(", "StopMotor(", "StopMotor("}, from));
    lines.resize(FindLine(lines, "StopMotor(", drive));
    EXPECT_EQ(FindLine(lines, "LockChannel3(", drive), std::string::npos)
        << "no silent re-lock while the button is held";

    // The drive was a change: the exit asks first. The release comes last.
    run.RequestExit();
    EXPECT_EQ(run.AnswerNextBox(IDNO), kExitQuestion);
    EXPECT_TRUE(run.EndsCleanly(seconds(10)));
}
