// A driver that fails or hangs: every one of the 28 calls failing in turn
// through a short session, and LockChannel3 hanging at start-up, during Lock
// Test and while the card is unplugged. The program keeps answering, shows
// only the messages it owns, leaves the database as it was or as applied, and
// ends cleanly.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

#include <dbt.h>

#include <thread>

namespace {

// A hang far longer than any wait of the program.
constexpr int kHangMs = 30000;

const char* const kDriverCalls[] = {
    "InitDise", "ReleaseDise", "GetCIInfo", "GetDeviceType", "GetSignalStrAndQu", "LockChannel3",
    "StartFilter", "StopFilter", "SetDataPID", "GetDataPIDMAC", "GetStatsCounters", "GetMACAddr",
    "GetNetMACAddr", "SetNetMACAddr", "SetFilterMAC", "SetDiseCom1", "SetDiseCom2", "GotoSat",
    "GotoSatPosition", "StoreSatPosition", "DriveEast", "DriveWest", "StopMotor", "GotoZero",
    "SetEastLimit", "SetWestLimit", "CancelLimit", "EnableLimit",
};

std::string DemoDatabase()
{
    return DemoFile("satedata.dll");
}

// Milliseconds the call took.
template <typename Action>
long long MillisecondsOf(Action action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start).count();
}

bool EndsWithRelease(const LumisatRun& run)
{
    const std::vector<std::string> lines = run.CallLogLines();
    return !lines.empty() && lines.back().rfind("ReleaseDise(", 0) == 0;
}

// The run whose InitDise fails: its one message, then the end.
void ExpectFailedStart(LumisatRun& run, const std::string& database)
{
    ASSERT_TRUE(run.Launch());
    EXPECT_EQ(run.TakeMessages(seconds(1), seconds(15)),
              Messages{"Can't init hardware information,this application will exit."});
    EXPECT_TRUE(run.WaitForExit(seconds(10)));
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_EQ(run.ReadFile("satedata.dll"), database);
}

// Start, the start-up lock, another satellite chosen, Apply, exit.
void RunShortSession(LumisatRun& run, const std::string& call, const std::string& database)
{
    ASSERT_TRUE(run.Start()) << call;
    run.WaitForStartupLock();
    EXPECT_EQ(run.TakeMessages(milliseconds(300)), Messages{}) << call << " at start-up";

    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    EXPECT_TRUE(run.Apply()) << call << ": Apply did not end";
    EXPECT_EQ(run.TakeMessages(milliseconds(300)), Messages{}) << call << " at Apply";
    EXPECT_TRUE(run.ExitsCleanly()) << call;
    EXPECT_TRUE(EndsWithRelease(run)) << call;
    // Only the selection changed: the file is written back as it was.
    EXPECT_EQ(run.ReadFile("satedata.dll"), database) << call;
}

// Two satellites, the first without transponders, so that start-up makes no
// lock at all and the first LockChannel3 is the one the test asks for.
std::string NothingToLockAtStart()
{
    return SatelliteFileBytes({{.name = "Empty", .degree = 130}, Astra()});
}

// Chooses the second satellite and presses Lock Test at once, before the
// signal poll can lock it silently; true once the wait dialog shows. The
// start-up lock (timer 503, which would wait for the same hanging worker)
// has had its turn before.
bool StartLockTestOnTheSecondSatellite(const LumisatRun& run)
{
    Sleep(400);
    if (!run.Answers(seconds(2)))
        return false;
    ChooseComboItem(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    Click(run.Control(IDC_DISH_LOCK_TEST));
    return WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(5));
}

// The lock waits are measured here, not the test display's window handling.
class FaultSweep : public ::testing::Test {
    UnmanagedProgramWindows unmanaged;
};

// The receiver's device interface, as the system reports its removal.
void SendDeviceRemoval(HWND dialog)
{
    DEV_BROADCAST_DEVICEINTERFACE_A notice{};
    notice.dbcc_size = sizeof(notice);
    notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    notice.dbcc_classguid = {0x7A30FB62, 0x1DF4, 0x408C, {0xB1, 0x39, 0x00, 0x2F, 0x14, 0x5D, 0xF1, 0x89}};   // the receiver's
    DWORD_PTR result = 0;
    SendMessageTimeoutA(dialog, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&notice),
                        SMTO_NORMAL, 15000, &result);
}

}  // namespace

TEST_F(FaultSweep, EveryDriverCallFailingInTurn)
{
    const std::string database = DemoDatabase();
    ASSERT_FALSE(database.empty());
    for (const char* call : kDriverCalls) {
        SCOPED_TRACE(call);
        LumisatRun run(std::string("fault_") + call);
        run.WriteIni(DemoIni("Quarlink.ini", std::string("[Fault ") + call + "]\nResult=1\n"));
        run.WriteFile("satedata.dll", database);
        if (std::string(call) == "InitDise")
            ExpectFailedStart(run, database);
        else
            RunShortSession(run, call, database);
    }
}

TEST_F(FaultSweep, StartupLockHangingKeepsTheDialogAnsweringAndExitQuick)
{
    LumisatRun run("fault_hang_startup");
    run.WriteIni(DemoIni("Quarlink.ini", "[Fault LockChannel3]\nDelayMs=" + std::to_string(kHangMs) + "\n"));
    run.WriteFile("satedata.dll", DemoDatabase());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(5)));

    bool answered = false;
    EXPECT_LT(MillisecondsOf([&] { answered = run.Answers(seconds(6)); }), 6000);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() == nullptr; }, seconds(1)));
    EXPECT_EQ(run.TakeMessages(milliseconds(200)), Messages{});

    run.RequestExit();
    bool ended = false;
    EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(10)); }), 6000) << "the worker hangs for 30 s";
    ASSERT_TRUE(ended);
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_TRUE(EndsWithRelease(run));
    EXPECT_EQ(run.CallLog().find("LockChannel3("), std::string::npos) << "the hanging call never returned";
}

TEST_F(FaultSweep, LockTestHangingKeepsTheDialogAnsweringAndExitQuick)
{
    LumisatRun run("fault_hang_lock_test");
    run.WriteIni(DemoIni("Quarlink.ini", "[Fault LockChannel3]\nCount=1\nDelayMs=" + std::to_string(kHangMs) + "\n"));
    run.WriteFile("satedata.dll", NothingToLockAtStart());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(StartLockTestOnTheSecondSatellite(run));

    bool answered = false;
    EXPECT_LT(MillisecondsOf([&] { answered = run.Answers(seconds(6)); }), 6000);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() == nullptr; }, seconds(1)));

    // The satellite changed, so the exit asks first; No saves nothing.
    run.RequestExit();
    EXPECT_EQ(run.TakeMessages(milliseconds(1500)),
              Messages{"The App will exit,save current changed settings and data?"});
    bool ended = false;
    EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(10)); }), 6000) << "the worker hangs for 30 s";
    ASSERT_TRUE(ended);
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_TRUE(EndsWithRelease(run));
    EXPECT_EQ(run.ReadFile("satedata.dll"), NothingToLockAtStart());
}

TEST_F(FaultSweep, CardRemovedDuringAHangingLockClosesWithoutQuestion)
{
    LumisatRun run("fault_hang_removal");
    run.WriteIni(DemoIni("Quarlink.ini", "[Fault LockChannel3]\nCount=1\nDelayMs=" + std::to_string(kHangMs) + "\n"));
    run.WriteFile("satedata.dll", NothingToLockAtStart());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(StartLockTestOnTheSecondSatellite(run));

    // The system sends the notice (it carries a pointer, so it cannot be
    // posted); the lock's bounded wait ends first, then the program closes.
    std::thread system([dialog = run.MainDialog()] { SendDeviceRemoval(dialog); });
    bool ended = false;
    EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(15)); }), 10000) << "the worker hangs for 30 s";
    system.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_TRUE(EndsWithRelease(run));
    EXPECT_EQ(run.ReadFile("satedata.dll"), NothingToLockAtStart()) << "nothing is saved without the question";
}
