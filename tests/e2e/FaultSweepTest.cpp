// A driver that fails or hangs: every one of the 28 calls failing in turn
// through a short session, and LockChannel3 hanging at start-up and during
// Lock Test, then the exit asked or the card unplugged. The program keeps
// answering, shows only the messages it owns, leaves the database as it was
// or as applied, and ends cleanly: releasing the driver last, or, while the
// card still hangs in a tune, sending it nothing more.
#include "tests/e2e/Scenario.h"

#include <dbt.h>

#include <thread>

namespace {

const char* const kDriverCalls[] = {
    "InitDise",        "ReleaseDise",      "GetCIInfo",    "GetDeviceType", "GetSignalStrAndQu", "LockChannel3",
    "StartFilter",     "StopFilter",       "SetDataPID",   "GetDataPIDMAC", "GetStatsCounters",  "GetMACAddr",
    "GetNetMACAddr",   "SetNetMACAddr",    "SetFilterMAC", "SetDiseCom1",   "SetDiseCom2",       "GotoSat",
    "GotoSatPosition", "StoreSatPosition", "DriveEast",    "DriveWest",     "StopMotor",         "GotoZero",
    "SetEastLimit",    "SetWestLimit",     "CancelLimit",  "EnableLimit",
};

// Milliseconds the call took.
template <typename Action>
long long MillisecondsOf(Action action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start).count();
}

// Start, the start-up lock, another satellite chosen, Apply, exit; or, when
// InitDise fails, its one message and the end.
void RunShortSession(LumisatRun& run, const std::string& call)
{
    if (call == "InitDise") {
        ASSERT_TRUE(run.Launch());
        EXPECT_EQ(run.TakeMessages(seconds(15)),
                  Messages{"Can't init hardware information,this application will exit."});
        EXPECT_TRUE(run.EndsCleanly(seconds(10)));
        EXPECT_EQ(run.CallsFrom("ReleaseDise(").size(), 1u);
        EXPECT_TRUE(run.CallsFrom("GetCIInfo(").empty()) << "nothing else is asked of a card that failed";
        return;
    }
    ASSERT_TRUE(run.Start());
    run.WaitForStartupLock();
    EXPECT_EQ(run.TakeMessages(), Messages{}) << "at start-up";
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    EXPECT_TRUE(run.Apply()) << "Apply did not end";
    EXPECT_EQ(run.TakeMessages(), Messages{}) << "at Apply";
    EXPECT_TRUE(run.ExitsCleanly());
}

constexpr char kNoAnswer[] = "] Lock note: The card does not answer.\n";
const GUID kDiskInterface = {0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};

struct Hang {
    const char* name;
    bool lockTest;    // Lock Test's lock hangs, else every lock from the start-up's on
    bool unplugged;   // the card is removed during the hang, else the exit is asked after it
    Messages atExit;
};

}   // namespace

TEST(FaultSweep, EveryDriverCallFailingInTurn)
{
    const std::string database = DemoFile("satedata.dll");
    ASSERT_FALSE(database.empty());
    for (const char* call : kDriverCalls) {
        SCOPED_TRACE(call);
        LumisatRun run(std::string("fault_") + call);
        run.WriteIni(DemoIni("Quarlink.ini", std::string("[Fault ") + call + "]\nResult=1\n"));
        run.WriteFile("satedata.dll", database);
        RunShortSession(run, call);
        // Only the selection changed: the file is written back as it was.
        EXPECT_EQ(run.ReadFile("satedata.dll"), database);
    }
}

// LockChannel3 hangs for 30 s, far longer than any wait of the program.
TEST(FaultSweep, HangingLockBlocksAtMostFiveSecondsAndTheExitOrTheCardsRemovalStillEndsQuickly)
{
    const Hang hangs[] = {
        {"startup", false, false, {}},
        // The satellite changed, so the exit and the removal ask first; No saves nothing.
        {"lock_test", true, false, {kExitQuestion}},
        {"removal", true, true, {kExitQuestion}},
    };
    for (const Hang& hang : hangs) {
        SCOPED_TRACE(hang.name);
        LumisatRun run(std::string("fault_hang_") + hang.name);
        LocalAppData appData(run);
        run.SetRegistryNumber("TraceLog", 1);
        // Without transponders on the first satellite the start-up locks nothing.
        const std::string database =
            hang.lockTest ? SatelliteFileBytes({{.name = "Empty", .degree = 130}, Astra()}) : DemoFile("satedata.dll");
        run.WriteIni(DemoIni("Quarlink.ini", std::string("[Fault LockChannel3]\nDelayMs=30000\n") +
                                                 (hang.lockTest ? "Count=1\n" : "")));
        run.WriteFile("satedata.dll", database);
        ASSERT_TRUE(run.Start());
        if (hang.unplugged) {
            // Another device's coming and going are no concern of the program's (which records count is the unit tests').
            SendDeviceNotice(run.MainDialog(), DBT_DEVICEARRIVAL, kDiskInterface);
            SendDeviceNotice(run.MainDialog(), DBT_DEVICEREMOVECOMPLETE, kDiskInterface);
            EXPECT_TRUE(run.NoMessageBox() && run.IsRunning());
        }
        if (hang.lockTest) {
            // Before the signal poll can lock the second satellite silently.
            run.WaitForStartupLock();
            ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
            Click(run.Control(IDC_DISH_LOCK_TEST));
        }
        ASSERT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(5)));

        bool ended = false;
        if (hang.unplugged) {
            // The lock's bounded wait ends first; the changed satellite makes the removal ask,
            // and the exit gives the hanging tune its own wait to return.
            std::thread system(
                [&] { SendDeviceNotice(run.MainDialog(), DBT_DEVICEREMOVECOMPLETE, kReceiverInterface); });
            EXPECT_EQ(run.TakeMessages(seconds(8)), hang.atExit);
            EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(10)); }), 6000);
            system.join();
        } else {
            EXPECT_FALSE(run.Answers(kQuietWindow)) << "the lock waits for the card";
            EXPECT_LT(MillisecondsOf([&] { EXPECT_TRUE(run.Answers(seconds(6))); }), 6000);
            EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() == nullptr; }, seconds(1)));
            // A poll's turn: the tips tell that the card does not answer.
            EXPECT_TRUE(WaitFor([&] { return run.ReadFile(kTraceLog).find(kNoAnswer) != std::string::npos; }));
            run.RequestExit();
            EXPECT_EQ(run.TakeMessages(), hang.atExit);
            EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(10)); }), 6000);
        }
        ASSERT_TRUE(ended) << "the worker still hangs";
        EXPECT_EQ(run.ExitCode(), 0u);
        // Nothing may reach a card that is still tuning, not even the release.
        EXPECT_EQ(FindLine(run.CallLogLines(), "ReleaseDise("), std::string::npos);
        const std::string hanging = hang.lockTest ? "LockChannel3(11494" : "LockChannel3(";
        EXPECT_EQ(run.ReadFile("Quarlink.log").find(hanging), std::string::npos) << "the hanging call never returned";
        EXPECT_EQ(run.ReadFile("satedata.dll"), database) << "nothing is saved without the question's Yes";
    }
}
