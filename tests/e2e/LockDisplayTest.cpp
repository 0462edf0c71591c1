// What the bars, the lock icon and the notification-area icon claim while the
// card takes 1.5 s to answer: not locked from the start of a lock of another
// target (also through another switch input) until its own result, not
// locked once the dish moved and locked again only after a lock,
// the restored selection tuned when Restore takes the tuned one away, and
// the tips naming what the card receives when it is not the selection.
#include "tests/e2e/Scenario.h"

namespace {

constexpr int kSlowLockMs = 1500;
// The simulated positioner turns at 10 degrees a second: from 15.64 degrees
// east to zero in 1.6 s, which it does not report.
constexpr char kTurningDish[] = "[Motor]\nAngle=15.64\nDegreesPerSecond=10\n";
constexpr milliseconds kDishTurnsToZero{2500};

// True when neither the bars nor an icon showed locked in the quiet window.
bool NeverShowsLocked(const LumisatRun& run)
{
    return NeverWithin([&] { return run.LockShown() != false; });
}

}   // namespace

// Another transponder, which the card receives; the same transponder through
// another switch input, whose satellite (13.0E) does not carry it: what the
// card is locked to through input A says nothing of it.
TEST(LockDisplay, ALockOfAnotherTargetShowsNotLockedUntilItsOwnResult)
{
    FileSatellite astra = Astra();
    astra.transponders.push_back({"11362H/22000", 11362, 22000, 1, {}});
    FileSatellite onInputB = Astra();
    onInputB.diseqcPort = 2;
    struct Case {
        const char* name;
        std::vector<FileSatellite> satellites;
        int list;
        bool locks;
    };
    const Case cases[] = {{"transponder", {astra}, IDC_DISH_FREQUENCY_COMBO, true},
                          {"switch_input", {Astra(), onInputB}, IDC_MAIN_SATELLITE_COMBO, false}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        LumisatRun run(std::string("display_new_") + test.name);
        run.WriteIni(DemoIni("Quarlink.ini", "", kSlowLockMs));
        run.WriteFile("satedata.dll", SatelliteFileBytes(test.satellites));
        ASSERT_TRUE(run.Start());
        run.WaitForStartupLock();
        ASSERT_TRUE(run.WaitForLockShown(true));
        ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
        ChooseItemNow(run.Control(test.list), 1);
        EXPECT_TRUE(run.WaitForLockShown(false)) << "the selection is not what the card receives";

        const size_t from = run.LogSize();
        Click(run.Control(IDC_DISH_LOCK_TEST));
        ASSERT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(2)));
        EXPECT_TRUE(NeverShowsLocked(run)) << "locked before the lock's own result";
        EXPECT_NE(run.FindLockWaitDialog(), nullptr) << "the sampling ran during the wait for its worker";
        EXPECT_TRUE(run.Answers(seconds(6)));
        EXPECT_TRUE(run.WaitForLockShown(test.locks, seconds(6))) << "as the card answered";
        EXPECT_EQ(run.CallsFrom("StartFilter() = 0", from).size(), test.locks ? 1u : 0u);
    }
}

TEST(LockDisplay, AMovedDishIsNotLockedUntilALockAndLocksAgainWhereItArrives)
{
    LumisatRun run("display_dish_moved");
    // The motorised dish on input D, turned towards 19.2E at start.
    run.WriteIni(DemoIni("Quarlink.ini", "", kSlowLockMs) + kTurningDish);
    FileSatellite usals = Astra();
    usals.diseqcPort = 4;
    usals.dishType = 2;
    run.WriteFile("satedata.dll", SatelliteFileBytes({usals}));
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    ASSERT_TRUE(run.WaitForLockShown(true));
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));

    // Away from the satellite: not locked at once, and the next Lock Test
    // waits for the card instead of reporting the old position's lock.
    size_t from = run.LogSize();
    run.Press(IDC_DISH_GOTO_ZERO);
    ASSERT_TRUE(run.WaitForCall("GotoZero(", from));
    EXPECT_TRUE(run.WaitForLockShown(false, milliseconds(500)));
    Sleep(static_cast<DWORD>(kDishTurnsToZero.count()));
    from = run.LogSize();
    Click(run.Control(IDC_DISH_LOCK_TEST));
    EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(2))) << "waits for its worker";
    ASSERT_TRUE(run.WaitForCall("LockChannel3(", from, seconds(8)));
    EXPECT_TRUE(run.Answers(seconds(6)));
    EXPECT_TRUE(run.CallsFrom("StartFilter(", from).empty()) << "nothing received at zero";
    EXPECT_TRUE(NeverShowsLocked(run));

    // Back to the satellite: the first lock the card reports there locks the selection.
    EnterText(run.Control(IDC_DISH_LONGITUDE), "5.0");
    EnterText(run.Control(IDC_DISH_LATITUDE), "52.0");
    from = run.LogSize();
    run.Press(IDC_DISH_GOTO_SATELLITE);
    EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", from, seconds(15)));
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"GotoSat(", "LockChannel3(11494", "StartFilter() = 0"}, from));
    EXPECT_TRUE(run.WaitForLockShown(true));
}

TEST(LockDisplay, RestoreTunesTheRestoredChannelWhenTheTunedOneGoes)
{
    LumisatRun run("display_restore");
    ASSERT_TRUE(StartDemo(run, "cable.ini", "", kSlowLockMs));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    run.WaitUntilIdle();
    // Another channel chosen, never saved, and locked.
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    size_t from = run.LogSize();
    Click(run.Control(IDC_CABLE_LOCK_TEST));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", from));
    ASSERT_EQ(run.CallsFrom("LockChannel3(482000", from).size(), 1u);

    from = run.LogSize();
    Click(run.Control(IDC_MAIN_RESTORE));
    EXPECT_EQ(run.AnswerNextBox(IDYES), "The App will restore settings and data, are you sure?");
    EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", from)) << "the restored channel is received";
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"StopFilter(", "LockChannel3(474000", "StartFilter() = 0"}, from));
    EXPECT_EQ(ComboSelection(run.Control(IDC_MAIN_SATELLITE_COMBO)), 0);
    EXPECT_TRUE(run.NoMessageBox());
}

TEST(LockDisplay, LockedToAnotherSatelliteTheTipsSayWhatTheCardReceives)
{
    LumisatRun run("display_tip");
    LocalAppData appData(run);
    run.SetRegistryNumber("TraceLog", 1);
    run.WriteIni(DemoIni());
    run.WriteFile(
        "satedata.dll",
        SatelliteFileBytes(
            {Astra(), {.name = "Hotbird", .degree = 130, .transponders = {{"11034V/27500", 11034, 27500, 0, {}}}}}));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    EXPECT_TRUE(run.WaitForLockShown(false));
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 0);
    EXPECT_TRUE(run.WaitForLockShown(true));
    run.RequestExit();
    run.AnswerNextBox(IDNO, seconds(3));
    ASSERT_TRUE(run.EndsCleanly());
    const std::string log = run.ReadFile(kTraceLog);
    const size_t note = log.find("] Lock note: Astra: 11494 MHz H 22000\n");
    ASSERT_NE(note, std::string::npos) << "the tip names what the card receives";
    EXPECT_NE(log.find("Lock Test tunes the selection.", note), std::string::npos);
    EXPECT_NE(log.find("] Lock note: none", note), std::string::npos) << "and goes once the selection is received";
}
