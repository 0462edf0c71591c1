// A driver that fails or hangs: every one of the 28 calls failing in turn
// through a short session, and LockChannel3 hanging at start-up, during Lock
// Test and while the card is unplugged. The program keeps answering, shows
// only the messages it owns, leaves the database as it was or as applied, and
// ends cleanly.
#include "tests/e2e/FaultScenario.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/SatelliteFile.h"
#include "tests/e2e/SimulatorIni.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <thread>

using namespace faults;
using std::chrono::milliseconds;
using std::chrono::seconds;

namespace {

constexpr int kSatelliteCombo = 1002;
constexpr int kApply = 1009;
constexpr int kLockTest = 1081;
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
    return SourceFile("simulator/demo/satedata.dll");
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
    ProcessWatch watch(run.ProcessId());
    EXPECT_EQ(TakeMessages(run, seconds(1), seconds(15)),
              std::vector<std::string>{"Can't init hardware information,this application will exit."});
    EXPECT_TRUE(run.WaitForExit(seconds(10)));
    EXPECT_EQ(watch.ExitCode(), 0u);
    EXPECT_EQ(run.ReadFile("satedata.dll"), database);
}

// Start, the start-up lock, another satellite chosen, Apply, exit.
void RunShortSession(LumisatRun& run, const std::string& call, const std::string& database)
{
    ASSERT_TRUE(run.Start()) << call;
    ProcessWatch watch(run.ProcessId());
    WaitForStartupLock(run);
    EXPECT_EQ(TakeMessages(run, milliseconds(200)), std::vector<std::string>{}) << call << " at start-up";

    HWND apply = FindControl(run.MainDialog(), kApply);
    ChooseComboItem(FindControl(run.MainDialog(), kSatelliteCombo), 1);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }, seconds(5))) << call;
    Click(apply);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) == FALSE; }, seconds(12))) << call << ": Apply did not end";
    EXPECT_EQ(TakeMessages(run, milliseconds(200)), std::vector<std::string>{}) << call << " at Apply";

    run.RequestExit();
    EXPECT_TRUE(run.WaitForExit(seconds(10))) << call << ": no exit";
    EXPECT_EQ(watch.ExitCode(), 0u) << call;
    EXPECT_TRUE(EndsWithRelease(run)) << call;
    // Only the selection changed: the file is written back as it was.
    EXPECT_EQ(run.ReadFile("satedata.dll"), database) << call;
}

// Two satellites, the first without transponders, so that start-up makes no
// lock at all and the first LockChannel3 is the one the test asks for.
std::string NothingToLockAtStart()
{
    FileSatellite empty;
    empty.name = "Empty";
    empty.degree = 130;
    FileSatellite astra;
    astra.name = "Astra 19.2E";
    astra.degree = 192;
    astra.transponders.push_back({"11494 H 22000", 11494, 22000, 1, 0});
    return SatelliteFileBytes({empty, astra});
}

// Chooses the second satellite and presses Lock Test at once, before the
// signal poll can lock it silently; true once the wait dialog shows. The
// start-up lock (timer 503, which would wait for the same hanging worker)
// has had its turn before.
bool StartLockTestOnTheSecondSatellite(const LumisatRun& run)
{
    Sleep(400);
    if (!Answers(run.MainDialog(), seconds(2)))
        return false;
    HWND lockTest = FindControl(run.MainDialog(), kLockTest);
    ChooseComboItem(FindControl(run.MainDialog(), kSatelliteCombo), 1);
    Click(lockTest);
    return WaitFor([&] { return FindLockWaitDialog(run) != nullptr; }, seconds(5));
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
        run.WriteIni(DemoIni(std::string("[Fault ") + call + "]\nResult=1\n"));
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
    run.WriteIni(DemoIni("[Fault LockChannel3]\nDelayMs=" + std::to_string(kHangMs) + "\n"));
    run.WriteFile("satedata.dll", DemoDatabase());
    ASSERT_TRUE(run.Start());
    ProcessWatch watch(run.ProcessId());
    ASSERT_TRUE(WaitFor([&] { return FindLockWaitDialog(run) != nullptr; }, seconds(5)));

    bool answered = false;
    EXPECT_LT(MillisecondsOf([&] { answered = Answers(run.MainDialog(), seconds(6)); }), 6000);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(WaitFor([&] { return FindLockWaitDialog(run) == nullptr; }, seconds(1)));
    EXPECT_EQ(TakeMessages(run, milliseconds(200)), std::vector<std::string>{});

    run.RequestExit();
    bool ended = false;
    EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(10)); }), 6000) << "the worker hangs for 30 s";
    ASSERT_TRUE(ended);
    EXPECT_EQ(watch.ExitCode(), 0u);
    EXPECT_TRUE(EndsWithRelease(run));
    EXPECT_EQ(run.CallLog().find("LockChannel3("), std::string::npos) << "the hanging call never returned";
}

TEST_F(FaultSweep, LockTestHangingKeepsTheDialogAnsweringAndExitQuick)
{
    LumisatRun run("fault_hang_lock_test");
    run.WriteIni(DemoIni("[Fault LockChannel3]\nCount=1\nDelayMs=" + std::to_string(kHangMs) + "\n"));
    run.WriteFile("satedata.dll", NothingToLockAtStart());
    ASSERT_TRUE(run.Start());
    ProcessWatch watch(run.ProcessId());
    ASSERT_TRUE(StartLockTestOnTheSecondSatellite(run));

    bool answered = false;
    EXPECT_LT(MillisecondsOf([&] { answered = Answers(run.MainDialog(), seconds(6)); }), 6000);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(WaitFor([&] { return FindLockWaitDialog(run) == nullptr; }, seconds(1)));

    // The satellite changed, so the exit asks first; No saves nothing.
    run.RequestExit();
    EXPECT_EQ(TakeMessages(run, milliseconds(1500)),
              std::vector<std::string>{"The App will exit,save current changed settings and data?"});
    bool ended = false;
    EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(10)); }), 6000) << "the worker hangs for 30 s";
    ASSERT_TRUE(ended);
    EXPECT_EQ(watch.ExitCode(), 0u);
    EXPECT_TRUE(EndsWithRelease(run));
    EXPECT_EQ(run.ReadFile("satedata.dll"), NothingToLockAtStart());
}

TEST_F(FaultSweep, CardRemovedDuringAHangingLockClosesWithoutQuestion)
{
    LumisatRun run("fault_hang_removal");
    run.WriteIni(DemoIni("[Fault LockChannel3]\nCount=1\nDelayMs=" + std::to_string(kHangMs) + "\n"));
    run.WriteFile("satedata.dll", NothingToLockAtStart());
    ASSERT_TRUE(run.Start());
    ProcessWatch watch(run.ProcessId());
    ASSERT_TRUE(StartLockTestOnTheSecondSatellite(run));

    // The system sends the notice (it carries a pointer, so it cannot be
    // posted); the lock's bounded wait ends first, then the program closes.
    std::thread system([dialog = run.MainDialog()] { SendDeviceRemoval(dialog); });
    bool ended = false;
    EXPECT_LT(MillisecondsOf([&] { ended = run.WaitForExit(seconds(15)); }), 10000) << "the worker hangs for 30 s";
    system.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(watch.ExitCode(), 0u);
    EXPECT_TRUE(EndsWithRelease(run));
    EXPECT_EQ(run.ReadFile("satedata.dll"), NothingToLockAtStart()) << "nothing is saved without the question";
}
