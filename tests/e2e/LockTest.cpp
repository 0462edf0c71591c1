// Locking as the driver sees it: the start-up lock and its call order on
// each kind of card (with the kind's tabs) and through each switch input,
// the silent re-lock of the signal poll with the PIDs sent again, and an exit
// during such a lock. Lock Test is the pages' own scenarios', a hanging
// driver the fault sweep's.
#include "tests/e2e/Scenario.h"

#include <cstdlib>

namespace {

// The first successful signal poll from `from` on whose lock flag (the last
// output) is the given digit.
size_t FindPoll(const Lines& lines, char lockFlag, size_t from)
{
    for (size_t at = FindLine(lines, "GetSignalStrAndQu() = 0 ->", from); at != std::string::npos;
         at = FindLine(lines, "GetSignalStrAndQu() = 0 ->", at + 1)) {
        if (lines[at].back() == lockFlag && lines[at][lines[at].size() - 2] == ',')
            return at;
    }
    return std::string::npos;
}

}   // namespace

TEST(Lock, StartupSwitchesTunesAndStartsTheFilterOnEveryKindOfCardAndSwitchInput)
{
    // One satellite behind an input of the demo switch: B sees 13.0E, C
    // 28.2E, D the motorised dish, turned here to 19.2E.
    const auto behind = [](int input, int degree, FileTransponder transponder) {
        return std::vector<FileSatellite>{
            {.name = "Sat", .degree = degree, .diseqcPort = input, .transponders = {transponder}}};
    };
    // The tabs of each kind; which GetCIInfo values make which kind is the unit tests'.
    using Tabs = std::vector<std::wstring>;
    const Tabs satellite{L"LNB && Switch", L"Dish Setting", L"Filter    "};
    struct Case {
        const char* name;
        std::vector<FileSatellite> satellites;
        Tabs tabs;
        Lines calls;
    };
    const Case cases[] = {
        // The demo line-ups and databases; Astra 19.2E on "LNB A" with tone off and power on, 11494 MHz horizontal.
        {"Quarlink.ini",
         {},
         satellite,
         {"InitDise(", "GetCIInfo(", "SetDiseCom1(0,0,0,1) = 0", "SetDiseCom2(E0,10,38,F2) = 0",
          "SetDiseCom1(0,0,0,1) = 0", "LockChannel3(11494,22000,1,1,1,9750,10600) = 0", "StartFilter() = 0"}},
        {"cable.ini",
         {},
         Tabs{L"Cable Setting", L"Filter    "},
         {"InitDise(", "LockChannel3(474000,6900,64,0,0,0,0) = 0", "StartFilter() = 0"}},
        {"terrestrial.ini",
         {},
         Tabs{L"Terrestrial Setting", L"Filter    "},
         {"InitDise(", "LockChannel3(506000,8,0,0,0,0,0) = 0", "StartFilter() = 0"}},
        {"input_B",
         behind(2, 130, {"10971H/29700", 10971, 29700, 1, {}}),
         satellite,
         {"SetDiseCom2(E0,10,38,F6) = 0", "LockChannel3(10971,29700,1,1,1,9750,10600) = 0", "StartFilter() = 0"}},
        {"input_C",
         behind(3, 282, {"10847V/23000", 10847, 23000, 0, {}}),
         satellite,
         {"SetDiseCom2(E0,10,38,F8) = 0", "LockChannel3(10847,23000,0,1,1,9750,10600) = 0", "StartFilter() = 0"}},
        {"input_D_motor",
         behind(4, 192, {"11494H/22000", 11494, 22000, 1, {}}),
         satellite,
         {"SetDiseCom2(E0,10,38,FE) = 0", "LockChannel3(11494,22000,1,1,1,9750,10600) = 0", "StartFilter() = 0"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        LumisatRun run(std::string("lock_startup_") + test.name);
        if (test.satellites.empty()) {
            ASSERT_TRUE(StartDemo(run, test.name));
        } else {
            run.WriteIni(DemoIni("Quarlink.ini", "[Motor]\nAngle=15.64\n"));
            run.WriteFile("satedata.dll", SatelliteFileBytes(test.satellites));
            ASSERT_TRUE(run.Start());
        }
        EXPECT_TRUE(run.WaitForCall("StartFilter() = 0"));
        EXPECT_TRUE(HasInOrder(run.CallLogLines(), test.calls));
        EXPECT_EQ(TabWideTexts(run.Control(IDC_MAIN_TAB)), test.tabs);
        EXPECT_TRUE(run.WaitForLockShown(true));

        ASSERT_TRUE(run.ExitsCleanly());
        const Lines lines = run.CallLogLines();
        if (FindLine(test.calls, "SetDiseCom2(") == std::string::npos) {
            EXPECT_EQ(FindLine(lines, "SetDiseCom2("), std::string::npos);
            EXPECT_EQ(FindLine(lines, "SetDiseCom1("), FindLine(lines, "SetDiseCom1(0,0,0,0)"))
                << "only the switch-off";
        }
    }
}

TEST(Lock, LostLockIsRestoredSilentlyWithThePidsAndAnExitDuringTheReLockWaitsForIt)
{
    // The lock is lost twice; each silent re-lock keeps its worker tuning for 1.5 s.
    LumisatRun run("lock_lost_restored");
    Stages stage;
    ASSERT_TRUE(StartDemo(run, "cable.ini", "[Signal]\nLoseLockAfterPolls=2\nLoseLockTimes=2\n", 1500));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", 0, seconds(15)));
    const auto pollAfter = [&](char lockFlag, size_t from) {
        size_t found = std::string::npos;
        WaitFor([&] { return (found = FindPoll(run.CallLogLines(), lockFlag, from)) != std::string::npos; },
                seconds(15));
        return found;
    };
    stage("the lost lock restored");
    const size_t lost = pollAfter('0', FindLine(run.CallLogLines(), "StartFilter() = 0"));
    ASSERT_NE(lost, std::string::npos);
    // The card's PID table went with the stopped filter: the loaded PID is
    // sent again, once the re-lock's worker has reported the lock.
    ASSERT_TRUE(run.WaitForCall("SetDataPID(256,2,1) = 0", lost));
    EXPECT_TRUE(HasInOrder(run.CallLogLines(),
                           {"StopFilter() = 0", "LockChannel3(474000,6900,64,0,0,0,0) = 0", "StartFilter() = 0",
                            "SetDataPID(256,2,1) = 0"},
                           lost));
    const size_t locked = pollAfter('1', lost);
    ASSERT_NE(locked, std::string::npos) << "a later poll finds the card locked again";
    EXPECT_TRUE(run.NoMessageBox());
    EXPECT_EQ(run.FindLockWaitDialog(), nullptr);
    EXPECT_TRUE(run.WaitForLockShown(true));

    // Hidden, and asked to exit while the next re-lock's worker tunes: the
    // exit waits for the tune, then releases the card without starting the
    // filter for a result nobody acts on any more.
    stage("an exit during the re-lock");
    ASSERT_TRUE(run.Hide());
    const size_t lostAgain = pollAfter('0', locked);
    ASSERT_NE(lostAgain, std::string::npos);
    ASSERT_TRUE(run.WaitForCall("StopFilter() = 0", lostAgain));
    Sleep(static_cast<DWORD>(kWorkerInsideCall.count()));
    run.RequestExit();
    ASSERT_TRUE(run.EndsCleanly(seconds(10)));
    const Lines lines = run.CallLogLines();
    EXPECT_TRUE(HasInOrder(lines, {"LockChannel3(474000,6900,64,0,0,0,0) = 0", "SetDiseCom1(0,0,0,0)"}, lostAgain));
    EXPECT_EQ(FindLine(lines, "StartFilter(", lostAgain), std::string::npos);
}

namespace {

POINT Centre(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}   // namespace

TEST(Lock, EveryLockTestShowsTheSameWaitDialogCentredAndInTheCurrentLanguage)
{
    LumisatRun run("lock_wait_dialog");
    ASSERT_TRUE(StartDemo(run, "Quarlink.ini", "", 1500));   // locks long enough to see their wait
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    HWND frequencies = run.Control(IDC_DISH_FREQUENCY_COMBO);
    ASSERT_GT(SendMessageA(frequencies, CB_GETCOUNT, 0, 0), 1);
    // Each on another transponder, so that each waits for the card.
    const auto lockTest = [&](int item, std::string& label) {
        ChooseItemNow(frequencies, item);
        Click(run.Control(IDC_DISH_LOCK_TEST));
        HWND wait = nullptr;
        WaitFor([&] { return (wait = run.FindLockWaitDialog(&label)) != nullptr; }, seconds(3));
        const POINT centre = wait != nullptr ? Centre(wait) : POINT{};
        const POINT over = Centre(run.MainDialog());
        EXPECT_LE(std::abs(centre.x - over.x) + std::abs(centre.y - over.y), 2) << "centred over the main dialog";
        EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() == nullptr; }, seconds(7))) << "taken down";
        EXPECT_TRUE(run.Answers(seconds(6)));
        return wait;
    };

    std::string label;
    HWND first = lockTest(1, label);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(label, "Locking,Please wait......");
    EXPECT_TRUE(IsWindow(first)) << "kept hidden for the next lock";

    RECT dialog{};
    GetWindowRect(run.MainDialog(), &dialog);
    SetWindowPos(run.MainDialog(), nullptr, dialog.left + 40, dialog.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(ChooseLanguage(run, "French"));
    EXPECT_EQ(lockTest(0, label), first) << "the same window";
    EXPECT_EQ(label, "Accrochage, veuillez patienter...");
}
