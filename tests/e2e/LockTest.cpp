// Locking as the driver sees it: the start-up lock and its call order on
// each kind of card, Lock Test behind its wait dialog, the silent re-lock of
// the signal poll with the PIDs sent again, a driver that hangs inside
// LockChannel3, and an exit during a lock. No scenario may have two
// LockChannel3 calls in flight at once.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

// The first successful signal poll from `from` on whose lock flag (the last
// output) is the given digit.
size_t FindPoll(const std::vector<std::string>& lines, char lockFlag, size_t from)
{
    for (size_t at = FindLine(lines, "GetSignalStrAndQu() = 0 ->", from); at != std::string::npos;
         at = FindLine(lines, "GetSignalStrAndQu() = 0 ->", at + 1)) {
        if (lines[at].back() == lockFlag && lines[at][lines[at].size() - 2] == ',')
            return at;
    }
    return std::string::npos;
}

// Wine without a window manager waits up to 2 s for the X server each time a
// top-level window is unmapped (the wait dialog, the main dialog at exit).
constexpr milliseconds kUnmapAllowance{2500};

}  // namespace

TEST(Lock, StartupSwitchesTunesAndStartsTheFilterOnEveryKindOfCard)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        // Astra 19.2E on "LNB A" with tone off and power on; 11494 MHz horizontal.
        {"Quarlink.ini", {"InitDise(", "GetCIInfo(", "SetDiseCom1(0,0,0,1) = 0", "SetDiseCom2(E0,10,38,F2) = 0",
                          "SetDiseCom1(0,0,0,1) = 0", "LockChannel3(11494,22000,1,1,1,9750,10600) = 0", "StartFilter() = 0"}},
        {"cable.ini", {"InitDise(", "LockChannel3(474000,6900,64,0,0,0,0) = 0", "StartFilter() = 0"}},
        {"terrestrial.ini", {"InitDise(", "LockChannel3(506000,8,0,0,0,0,0) = 0", "StartFilter() = 0"}},
    };
    for (const auto& [lineUp, calls] : cases) {
        SCOPED_TRACE(lineUp);
        LumisatRun run(std::string("lock_startup_") + lineUp);
        ASSERT_TRUE(StartDemo(run, lineUp));
        ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
        std::vector<std::string> lines = run.CallLogLines();
        EXPECT_TRUE(HasInOrder(lines, calls));
        EXPECT_EQ(FindLine(lines, "StartFilter("), FindLine(lines, "StartFilter() = 0")) << "only after a lock";
        EXPECT_TRUE(run.WaitForBarColour(kLockedGreen));

        ASSERT_TRUE(run.ExitsCleanly());
        lines = run.CallLogLines();
        if (calls.size() == 3) {
            EXPECT_EQ(FindLine(lines, "SetDiseCom2("), std::string::npos);
            EXPECT_EQ(FindLine(lines, "SetDiseCom1("), FindLine(lines, "SetDiseCom1(0,0,0,0)")) << "only the switch-off";
        }
        EXPECT_EQ(run.OverlappingLockCalls(), 0);
    }
}

TEST(Lock, LockTestTunesTheEditedChannelBehindTheWaitDialog)
{
    struct Case {
        const char* lineUp;
        int frequency;
        const char* typed;
        int list;
        int item;
        int lockTest;
        const char* lock;
    };
    const Case cases[] = {
        {"cable.ini", IDC_CABLE_FREQUENCY, "482000", IDC_CABLE_QAM_COMBO, 5, IDC_CABLE_LOCK_TEST,
         "LockChannel3(482000,6875,256,0,0,0,0) = 0"},
        {"terrestrial.ini", IDC_DTT_FREQUENCY, "626000", IDC_DTT_BANDWIDTH_COMBO, 3, IDC_DTT_LOCK_TEST,
         "LockChannel3(626000,8,0,0,0,0,0) = 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lineUp);
        LumisatRun run(std::string("lock_test_") + c.lineUp);
        const bool cable = c.lockTest == IDC_CABLE_LOCK_TEST;
        ASSERT_TRUE(StartDemo(run, c.lineUp, std::string(), 1500));
        ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
        EnterText(run.Control(c.frequency), c.typed);
        if (cable)
            EnterText(run.Control(IDC_CABLE_SYMBOL_RATE), "6875");
        ChooseItemNow(run.Control(c.list), c.item);

        const size_t before = run.LogSize();
        Click(run.Control(c.lockTest));
        std::string label;
        ASSERT_TRUE(WaitFor([&] { return run.FindLockWaitDialog(&label) != nullptr; }, seconds(3)));
        EXPECT_EQ(label, "Locking,Please wait......") << "the language file's text";
        EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() == nullptr; }, seconds(7)));
        EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", before));
        EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"StopFilter(", c.lock, "StartFilter() = 0"}, before));
        EXPECT_TRUE(run.WaitForBarColour(kLockedGreen));
    }
}

TEST(Lock, LostLockIsRestoredSilentlyByTheSignalPollAndThePidsSentAgain)
{
    LumisatRun run("lock_lost_restored");
    ASSERT_TRUE(StartDemo(run, "cable.ini", "[Signal]\nLoseLockAfterPolls=2\n"));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    const size_t started = FindLine(run.CallLogLines(), "StartFilter() = 0");

    size_t lost = std::string::npos;
    ASSERT_TRUE(WaitFor([&] { return (lost = FindPoll(run.CallLogLines(), '0', started)) != std::string::npos; },
                        seconds(15)));
    ASSERT_TRUE(run.WaitForCall("LockChannel3(474000,6900,64,0,0,0,0) = 0", lost));
    // The card's PID table went with the stopped filter: the loaded PID is sent again.
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"StopFilter() = 0", "StartFilter() = 0", "SetDataPID(256,2,1) = 0"}, lost));
    EXPECT_TRUE(WaitFor([&] { return FindPoll(run.CallLogLines(), '1', lost) != std::string::npos; }, seconds(6)))
        << "a later poll finds the card locked again";
    EXPECT_TRUE(run.NoMessageBoxFor(milliseconds(500)));
    EXPECT_EQ(run.FindLockWaitDialog(), nullptr);
    EXPECT_TRUE(run.WaitForBarColour(kLockedGreen));
    EXPECT_EQ(run.OverlappingLockCalls(), 0);
}

TEST(Lock, HangingDriverBlocksAtMostFiveSecondsAndTheProgramStillExits)
{
    // The third LockChannel3 (after the two of the start-up) hangs for 30 s.
    LumisatRun run("lock_hanging_driver");
    ASSERT_TRUE(StartDemo(run, "Quarlink.ini", "[Fault LockChannel3]\nSkip=2\nCount=1\nDelayMs=30000\n"));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    run.WaitForStartupLock();

    // Another satellite, then Apply: the settings changed, so Apply locks.
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    const auto pressed = std::chrono::steady_clock::now();
    Click(run.Control(IDC_MAIN_APPLY));
    ASSERT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(3)));
    EXPECT_FALSE(run.Answers(milliseconds(300))) << "the lock waits for the card";
    EXPECT_TRUE(WaitFor([&] { return run.Answers(milliseconds(200)); }, seconds(10)));
    const auto waited = std::chrono::steady_clock::now() - pressed;
    EXPECT_GE(waited, milliseconds(4500));
    EXPECT_LT(waited, milliseconds(6000) + kUnmapAllowance);
    EXPECT_EQ(run.FindLockWaitDialog(), nullptr);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(run.Control(IDC_MAIN_APPLY)); })) << "Apply went on and saved";
    EXPECT_TRUE(run.WaitForBarColour(kUnlockedRed));

    const auto exitAsked = std::chrono::steady_clock::now();
    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit(seconds(15)));
    // The driver gets 2 s to return before it is released regardless.
    const auto exitTime = std::chrono::steady_clock::now() - exitAsked;
    EXPECT_LT(exitTime, milliseconds(3000) + 2 * kUnmapAllowance)
        << std::chrono::duration_cast<milliseconds>(exitTime).count() << " ms";
    const std::vector<std::string> lines = run.CallLogLines();
    EXPECT_EQ(FindLine(lines, "LockChannel3(10971"), std::string::npos) << "the call never returned";
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("SetDiseCom1(0,0,0,0)", 0), 0u);
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u);
    EXPECT_EQ(run.OverlappingLockCalls(), 0);
}

TEST(Lock, ExitWaitsForALockStillInProgressBeforeReleasingTheDriver)
{
    // The silent re-lock after a lost lock leaves its worker tuning for
    // 1.5 s; the exit request follows at once, with the dialog hidden.
    LumisatRun run("lock_in_progress_at_exit");
    ASSERT_TRUE(StartDemo(run, "cable.ini", "[Signal]\nLoseLockAfterPolls=1\n", 1500));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", 0, seconds(15)));
    const size_t started = FindLine(run.CallLogLines(), "StartFilter() = 0");
    PostMessageA(run.MainDialog(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(run.MainDialog()); }));

    size_t lost = std::string::npos;
    ASSERT_TRUE(WaitFor([&] { return (lost = FindPoll(run.CallLogLines(), '0', started)) != std::string::npos; },
                        seconds(15)));
    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit(seconds(10)));
    const std::vector<std::string> lines = run.CallLogLines();
    EXPECT_TRUE(HasInOrder(lines, {"LockChannel3(474000,6900,64,0,0,0,0) = 0", "SetDiseCom1(0,0,0,0)", "ReleaseDise("},
                           lost));
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u) << "nothing reaches the driver after its release";
    EXPECT_EQ(run.OverlappingLockCalls(), 0);
}
