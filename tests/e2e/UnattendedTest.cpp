// Reception left running unattended: the data watchdog tuning a card whose
// data stopped while it stayed locked, sleep and resume (with a USB card that
// goes and comes back), the notification-area icon after Explorer restarts,
// and the start with Windows.
#include "tests/e2e/Scenario.h"

#include <commctrl.h>
#include <dbt.h>

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The cable demo with the PID received, the diagnostic log on (in the run's
// folder while appData lives).
bool StartReceiving(LumisatRun& run, const std::string& signal = std::string())
{
    run.SetRegistryNumber("TraceLog", 1);
    return StartDemo(run, "cable.ini", signal) && run.WaitForCall("SetDataPID(256,2,1) = 0", 0, seconds(15));
}

void Broadcast(const LumisatRun& run, UINT message, WPARAM wParam)
{
    for (HWND window : ProcessWindows(run.ProcessId(), {}))
        PostMessageA(window, message, wParam, 0);
}

std::string RunValue()
{
    char value[MAX_PATH + 16] = {};
    DWORD size = sizeof(value) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, kRunKey, "Lumisat", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::string();
    return value;
}

}   // namespace

TEST(Unattended, DataWatchdogTunesAgainWhenTheDataStopsAndNotWhileItFlows)
{
    LumisatRun run("watchdog");
    LocalAppData appData(run);
    Stages stage;
    // Five watchdog times: the data that flows again keeps it quiet.
    constexpr seconds kDataFlowsFor{20};
    run.SetRegistryNumber("DataWatchdog", 4);
    ASSERT_TRUE(StartReceiving(run, "[Signal]\nDataStopsAfterPolls=3\n"));
    const size_t started = run.LogSize();

    // The data stops after the third poll, about 6 s in; the watch takes 4 s and a statistics reading.
    stage("the data stops");
    ASSERT_TRUE(run.WaitForCall("SetFilterMAC(", started, seconds(20)));
    EXPECT_TRUE(HasInOrder(run.CallLogLines(),
                           {"StopFilter() = 0", "LockChannel3(474000,6900,64,0,0,0,0) = 0", "StartFilter() = 0",
                            "SetDataPID(256,2,1) = 0", "SetFilterMAC(00-1A-2B-3C-4D-5F) = 0"},
                           started));
    stage("the data flows again");
    const size_t relocked = run.LogSize();
    EXPECT_TRUE(NeverWithin([&] { return !run.CallsFrom("LockChannel3(", relocked).empty(); }, kDataFlowsFor));

    // The signal window shows the time and stores a change at once; Restore leaves it.
    stage("the signal window's watchdog time");
    run.PostFrameCommand(kSignalCommand);
    HWND window = run.WaitForDialogWith(IDC_SIGNAL_WATCHDOG);
    ASSERT_NE(window, nullptr);
    HWND box = GetDlgItem(window, IDC_SIGNAL_WATCHDOG);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_SIGNAL_WATCHDOG_TIME)), "4");
    DWORD stored = 99;
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(run.RegistryNumber("DataWatchdog", stored) && stored == 0) << "off";
    SendMessageA(box, BM_CLICK, 0, 0);
    SetText(GetDlgItem(window, IDC_SIGNAL_WATCHDOG_TIME), "90");
    EXPECT_TRUE(run.RegistryNumber("DataWatchdog", stored) && stored == 90);
    Click(run.Control(IDC_MAIN_RESTORE));
    run.AnswerNextBox(IDYES);
    EXPECT_TRUE(run.RegistryNumber("DataWatchdog", stored) && stored == 90) << "Restore leaves it alone";

    ASSERT_TRUE(run.ExitsCleanly());
    const std::string log = run.ReadFile(kTraceLog);
    EXPECT_NE(log.find("] **********App Start**********"), std::string::npos) << "TraceLog 1 from the start";
    EXPECT_NE(log.find("] Data watchdog: no data for 4 s, the card is tuned again.\n"), std::string::npos);
    EXPECT_EQ(log.find("Data watchdog: no data", log.find("Data watchdog: no data") + 1), std::string::npos)
        << "one stall, one re-lock";
}

TEST(Unattended, ResumeRestoresReceptionOnceAndWaitsForACardThatWentWithTheSleep)
{
    for (const bool cardGoes : {false, true}) {
        SCOPED_TRACE(cardGoes ? "the card goes with the sleep" : "the card stays");
        LumisatRun run(cardGoes ? "resume_card_goes" : "resume");
        LocalAppData appData(run);
        ASSERT_TRUE(StartReceiving(run));
        size_t from = run.LogSize();
        Broadcast(run, WM_POWERBROADCAST, PBT_APMSUSPEND);
        ASSERT_TRUE(run.WaitForCall("StopFilter() = 0", from));
        if (cardGoes)
            SendDeviceNotice(run.MainDialog(), DBT_DEVICEREMOVECOMPLETE);
        from = run.LogSize();
        Broadcast(run, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
        Broadcast(run, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
        if (cardGoes) {
            ASSERT_TRUE(WaitFor(
                [&] { return run.ReadFile(kTraceLog).find("] Resume: waiting for the card") != std::string::npos; }));
            EXPECT_TRUE(run.CallsFrom("LockChannel3(", from).empty()) << "the restore waits for the card";
            ASSERT_TRUE(run.IsRunning()) << "its removal during the sleep does not end the program";
            SendDeviceNotice(run.MainDialog(), DBT_DEVICEARRIVAL);
            run.AnswerNextBox(IDOK);
        }
        ASSERT_TRUE(run.WaitForCall("SetFilterMAC(", from));
        EXPECT_TRUE(HasInOrder(run.CallLogLines(),
                               {"LockChannel3(474000", "StartFilter() = 0", "SetDataPID(256,2,1) = 0", "SetFilterMAC("},
                               from));
        EXPECT_TRUE(NeverWithin([&] { return run.CallsFrom("LockChannel3(", from).size() > 1; }))
            << "restored once for both broadcasts";
        EXPECT_TRUE(run.ExitsCleanly());
    }
}

TEST(Unattended, IconComesBackAfterExplorerAndStartWithWindowsIsStoredAndRemoved)
{
    LumisatRun run("start_with_windows");
    LocalAppData appData(run);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Lumisat");
    ASSERT_TRUE(StartReceiving(run));
    Broadcast(run, RegisterWindowMessageA("TaskbarCreated"), 0);

    run.PostFrameCommand(kStartWithWindowsCommand);
    ASSERT_TRUE(WaitFor([] { return !RunValue().empty(); }));
    EXPECT_EQ(RunValue(), "\"" + FullPath(run.PathOf("Lumisat.exe")) + "\" /tray");
    run.PostFrameCommand(kStartWithWindowsCommand);
    EXPECT_TRUE(WaitFor([] { return RunValue().empty(); })) << "unchecked: removed";

    EXPECT_EQ(run.StartSecondInstance("/tray"), 0u) << "a start with Windows while it runs does nothing";
    EXPECT_TRUE(IsWindowVisible(run.MainDialog()));
    ASSERT_TRUE(run.ExitsCleanly());
    EXPECT_NE(run.ReadFile(kTraceLog).find("] The notification-area icon was added again.\n"), std::string::npos);
}

TEST(Unattended, StartedHiddenNoWaitDialogShowsAndTheLevelBarsGetTheirTipsAtTheFirstShow)
{
    LumisatRun run("started_hidden");
    // Locks slow enough that timer 503 comes while the first reading's silent lock still tunes.
    ASSERT_TRUE(StartDemo(run, "cable.ini", std::string(), 1500));
    ASSERT_TRUE(run.WaitForCall("SetDataPID(256,2,1) = 0", 0, seconds(15)));
    ASSERT_TRUE(run.ExitsCleanly());
    // The tip windows that hold a tip: each level bar's, and others the pages may have.
    const auto tips = [&run] {
        int count = 0;
        for (HWND tip : ProcessWindows(run.ProcessId(), WindowFilter{TOOLTIPS_CLASSA, nullptr, false}))
            count += SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0) > 0 ? 1 : 0;
        return count;
    };

    const size_t from = run.LogSize();
    ASSERT_TRUE(run.Launch(std::string(), std::string(), "/tray"));
    bool waitDialogSeen = false;
    ASSERT_TRUE(WaitFor(
        [&] {
            waitDialogSeen = waitDialogSeen || run.FindLockWaitDialog() != nullptr;
            return FindLine(run.CallLogLines(), "SetDataPID(256,2,1) = 0", from) != std::string::npos;
        },
        seconds(15)));
    EXPECT_FALSE(waitDialogSeen) << "nobody waits for a lock at logon";
    // Every start-up step ran, the dialog hidden.
    EXPECT_NE(run.Frame(), nullptr);
    EXPECT_EQ(FindProcessWindow(run.ProcessId(), "#32770", kProgramTitle), nullptr) << "no visible main dialog";
    const int hidden = tips();
    run.TrayIconMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(run.WaitForMainDialog(seconds(5))) << "a double click shows it";
    EXPECT_TRUE(WaitFor([&] { return tips() == hidden + 2; })) << "hidden " << hidden << ", shown " << tips();
}
