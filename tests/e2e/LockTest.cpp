// Locking as the driver sees it: the start-up lock and its call order on
// each kind of card, the silent re-lock of the signal poll with the PIDs
// sent again, and an exit during such a lock. No scenario may have two
// LockChannel3 calls in flight at once. Lock Test is the pages' own
// scenarios', a hanging driver the fault sweep's.
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
        EXPECT_TRUE(run.WaitForBarColour(kLockedGreen));

        ASSERT_TRUE(run.ExitsCleanly());
        lines = run.CallLogLines();
        if (calls.size() == 3) {
            EXPECT_EQ(FindLine(lines, "SetDiseCom2("), std::string::npos);
            EXPECT_EQ(FindLine(lines, "SetDiseCom1("), FindLine(lines, "SetDiseCom1(0,0,0,0)")) << "only the switch-off";
        }
    }
}

TEST(Lock, LostLockIsRestoredSilentlyWithThePidsAndAnExitDuringTheReLockWaitsForIt)
{
    // The lock is lost twice; each silent re-lock keeps its worker tuning for 1.5 s.
    LumisatRun run("lock_lost_restored");
    ASSERT_TRUE(StartDemo(run, "cable.ini", "[Signal]\nLoseLockAfterPolls=2\nLoseLockTimes=2\n", 1500));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", 0, seconds(15)));
    const auto pollAfter = [&](char lockFlag, size_t from) {
        size_t found = std::string::npos;
        WaitFor([&] { return (found = FindPoll(run.CallLogLines(), lockFlag, from)) != std::string::npos; },
                seconds(15));
        return found;
    };
    const size_t lost = pollAfter('0', FindLine(run.CallLogLines(), "StartFilter() = 0"));
    ASSERT_NE(lost, std::string::npos);
    ASSERT_TRUE(run.WaitForCall("LockChannel3(474000,6900,64,0,0,0,0) = 0", lost));
    // The card's PID table went with the stopped filter: the loaded PID is
    // sent again, once the re-lock's worker has reported the lock.
    ASSERT_TRUE(run.WaitForCall("SetDataPID(256,2,1) = 0", lost));
    EXPECT_TRUE(
        HasInOrder(run.CallLogLines(),
                   {"StopFilter() = 0", "LockChannel3(", "StartFilter() = 0", "SetDataPID(256,2,1) = 0"}, lost));
    const size_t locked = pollAfter('1', lost);
    ASSERT_NE(locked, std::string::npos) << "a later poll finds the card locked again";
    EXPECT_TRUE(run.NoMessageBoxFor(milliseconds(500)));
    EXPECT_EQ(run.FindLockWaitDialog(), nullptr);
    EXPECT_TRUE(run.WaitForBarColour(kLockedGreen));

    // Hidden, and asked to exit once the lock is lost again and the re-lock's
    // worker started (right after the filter stopped), while it still tunes:
    // the exit waits for the tune, then releases the card without starting
    // the filter for a result nobody acts on any more.
    ASSERT_TRUE(run.Hide());
    const size_t lostAgain = pollAfter('0', locked);
    ASSERT_NE(lostAgain, std::string::npos);
    ASSERT_TRUE(run.WaitForCall("StopFilter() = 0", lostAgain));
    Sleep(300);
    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit(seconds(10)));
    const std::vector<std::string> lines = run.CallLogLines();
    EXPECT_TRUE(HasInOrder(lines, {"LockChannel3(474000,6900,64,0,0,0,0) = 0", "SetDiseCom1(0,0,0,0)", "ReleaseDise("},
                           lostAgain));
    EXPECT_EQ(FindLine(lines, "StartFilter(", lostAgain), std::string::npos);
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u) << "nothing reaches the driver after its release";
}
