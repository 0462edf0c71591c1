// What the lock icons and bars claim while the card takes 1.5 s to answer:
// not locked from the start of a lock of another target until its own
// result, not locked once the dish moved and locked again only after a lock,
// the restored selection tuned when Restore takes the tuned one away, and
// the tips naming what the card receives when it is not the selection.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

constexpr COLORREF kUnlockedRed = RGB(255, 0, 0);
constexpr int kSlowLockMs = 1500;

// True when the bars showed green at some moment of the time.
bool ShowsGreenWithin(const LumisatRun& run, milliseconds time)
{
    return run.WaitForBarColour(kLockedGreen, time);
}

}  // namespace

TEST(LockDisplay, ALockOfAnotherTransponderShowsNotLockedUntilItsOwnResult)
{
    LumisatRun run("display_new_target");
    run.WriteIni(DemoIni("Quarlink.ini", "", kSlowLockMs));
    FileSatellite astra = Astra();
    astra.transponders.push_back({"11362H/22000", 11362, 22000, 1, {}});
    run.WriteFile("satedata.dll", SatelliteFileBytes({astra}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    ASSERT_TRUE(run.WaitForBarColour(kLockedGreen));
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    ChooseItemNow(run.Control(IDC_DISH_FREQUENCY_COMBO), 1);
    EXPECT_TRUE(run.WaitForBarColour(kUnlockedRed)) << "the selection is not what the card receives";

    Click(run.Control(IDC_DISH_LOCK_TEST));
    ASSERT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(2)));
    EXPECT_FALSE(ShowsGreenWithin(run, milliseconds(900))) << "green before the lock's own result";
    EXPECT_NE(run.FindLockWaitDialog(), nullptr) << "the sampling ran during the wait";
    EXPECT_TRUE(run.WaitForBarColour(kLockedGreen, seconds(6))) << "locked once the card answered";
}

TEST(LockDisplay, AMovedDishIsNotLockedUntilALockAndLocksAgainWhereItArrives)
{
    LumisatRun run("display_dish_moved");
    // The motorised dish on input D, turned towards 19.2E at start.
    run.WriteIni(DemoIni("Quarlink.ini", "", kSlowLockMs) + "[Motor]\nAngle=15.64\nDegreesPerSecond=10\n");
    FileSatellite usals = Astra();
    usals.diseqcPort = 4;
    usals.dishType = 2;
    run.WriteFile("satedata.dll", SatelliteFileBytes({usals}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", 0, seconds(10)));
    ASSERT_TRUE(run.WaitForBarColour(kLockedGreen));
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));

    // Away from the satellite: not locked at once, and the next Lock Test
    // waits for the card instead of reporting the old position's lock.
    size_t from = run.LogSize();
    run.Press(IDC_DISH_GOTO_ZERO);
    ASSERT_TRUE(run.WaitForCall("GotoZero(", from));
    EXPECT_TRUE(run.WaitForBarColour(kUnlockedRed, milliseconds(500)));
    Sleep(2500);   // there now
    from = run.LogSize();
    Click(run.Control(IDC_DISH_LOCK_TEST));
    EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(2))) << "waits for its worker";
    ASSERT_TRUE(run.WaitForCall("LockChannel3(", from, seconds(8)));
    EXPECT_TRUE(run.Answers(seconds(6)));
    EXPECT_TRUE(run.CallsFrom("StartFilter(", from).empty()) << "nothing received at zero";
    EXPECT_FALSE(ShowsGreenWithin(run, milliseconds(300)));

    // Back to the satellite: the first lock the card reports there locks the selection.
    EnterText(run.Control(IDC_DISH_LONGITUDE), "5.0");
    EnterText(run.Control(IDC_DISH_LATITUDE), "52.0");
    from = run.LogSize();
    run.Press(IDC_DISH_GOTO_SATELLITE);
    EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", from, seconds(15)));
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"GotoSat(", "LockChannel3(11494", "StartFilter() = 0"}, from));
    EXPECT_TRUE(run.WaitForBarColour(kLockedGreen));
}

TEST(LockDisplay, RestoreTunesTheRestoredChannelWhenTheTunedOneGoes)
{
    LumisatRun run("display_restore");
    ASSERT_TRUE(StartDemo(run, "cable.ini", "", kSlowLockMs));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", 0, seconds(10)));
    run.WaitUntilIdle();
    // Another channel chosen, never saved, and locked.
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    size_t from = run.LogSize();
    Click(run.Control(IDC_CABLE_LOCK_TEST));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", from, seconds(10)));
    ASSERT_EQ(run.CallsFrom("LockChannel3(482000", from).size(), 1u);

    from = run.LogSize();
    Click(run.Control(IDC_MAIN_RESTORE));
    EXPECT_EQ(run.AnswerNextBox(IDYES), "The App will restore settings and data, are you sure?");
    EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", from, seconds(10))) << "the restored channel is received";
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"StopFilter(", "LockChannel3(474000", "StartFilter() = 0"}, from));
    EXPECT_EQ(ComboSelection(run.Control(IDC_MAIN_SATELLITE_COMBO)), 0);
    EXPECT_TRUE(run.NoMessageBoxFor(milliseconds(300)));
}

TEST(LockDisplay, LockedToAnotherSatelliteTheTipsSayWhatTheCardReceives)
{
    LumisatRun run("display_tip");
    LocalAppData appData(run);
    run.SetRegistryNumber("TraceLog", 1);
    run.WriteIni(DemoIni());
    run.WriteFile("satedata.dll", SatelliteFileBytes({Astra(), {.name = "Hotbird", .degree = 130, .transponders = {
                                                                    {"11034V/27500", 11034, 27500, 0, {}}}}}));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    EXPECT_TRUE(run.WaitForBarColour(kUnlockedRed));
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 0);
    EXPECT_TRUE(run.WaitForBarColour(kLockedGreen));
    run.RequestExit();
    run.AnswerNextBox(IDNO, seconds(3));
    ASSERT_TRUE(run.WaitForExit());
    const std::string log = run.ReadFile("Lumisat\\Lumisat.log");
    const size_t note = log.find("] Lock note: Astra: 11494 MHz H 22000\n");
    ASSERT_NE(note, std::string::npos) << "the tip names what the card receives";
    EXPECT_NE(log.find("Lock Test tunes the selection.", note), std::string::npos);
    EXPECT_NE(log.find("] Lock note: none", note), std::string::npos) << "and goes once the selection is received";
}
