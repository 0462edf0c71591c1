// The signal window: opened from the notification-area menu and the level
// bars, its faster poll, the lost and regained lock in its CSV, and the
// diagnostic log that the "TraceLog" value and its check box switch.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

#include <algorithm>
#include <regex>
#include <sstream>

namespace {

constexpr int kLevelBarId = 0xFFFF;

bool StartCableDemo(LumisatRun& run, const std::string& extra = std::string(), int lockTimeMs = 50)
{
    return StartDemo(run, "cable.ini", extra, lockTimeMs) && run.WaitForCall("StartFilter() = 0");
}

std::vector<HWND> SignalWindows(const LumisatRun& run)
{
    std::vector<HWND> found;
    for (HWND window : ProcessWindows(run.ProcessId(), {"#32770", nullptr, true}))
        if (GetDlgItem(window, IDC_SIGNAL_SAVE_CSV) != nullptr)
            found.push_back(window);
    return found;
}

HWND WaitForSignalWindow(const LumisatRun& run)
{
    HWND window = nullptr;
    WaitFor([&] { return SignalWindows(run).size() == 1 && (window = SignalWindows(run)[0]) != nullptr; });
    return window;
}

// Signal polls the simulator answers during the time.
size_t PollsDuring(const LumisatRun& run, std::chrono::milliseconds time)
{
    const size_t before = run.CallsFrom("GetSignalStrAndQu(").size();
    Sleep(static_cast<DWORD>(time.count()));
    return run.CallsFrom("GetSignalStrAndQu(").size() - before;
}

// What the bars show for a poll line "GetSignalStrAndQu() = 0 -> s,q,0,0,l":
// "s,q,l" as the CSV writes it (plus 20 while locked, at most 100).
std::string ShownReading(const std::string& poll)
{
    int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, lock = 0;
    std::sscanf(poll.c_str(), "GetSignalStrAndQu() = 0 -> %d,%d,%d,%d,%d", &strength, &quality, &reserved1,
                &reserved2, &lock);
    const auto shown = [lock](int value) { return lock > 0 ? std::min(value + 20, 100) : value; };
    return std::to_string(shown(strength)) + "," + std::to_string(shown(quality)) + "," + (lock > 0 ? "1" : "0");
}

// The CSV rows without their time: "s,q,l".
std::vector<std::string> CsvReadings(const std::string& csv)
{
    std::vector<std::string> readings;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Time,Strength,Quality,Locked\r");
    const std::regex row(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3},(\d+,\d+,[01])\r)");
    std::smatch match;
    while (std::getline(lines, line)) {
        EXPECT_TRUE(std::regex_match(line, match, row)) << line;
        readings.push_back(match[1]);
    }
    return readings;
}

// Saves the CSV through the Save dialog into the run's folder.
bool SaveCsv(const LumisatRun& run, HWND signalWindow, const std::string& name)
{
    Click(FindControl(signalWindow, IDC_SIGNAL_SAVE_CSV));
    HWND saveDialog = nullptr;
    if (!WaitFor([&] {
            for (HWND window : ProcessWindows(run.ProcessId(), {"#32770", nullptr, true}))
                if (GetWindow(window, GW_OWNER) == signalWindow)
                    saveDialog = window;
            return saveDialog != nullptr;
        }))
        return false;
    HWND fileName = FindControl(saveDialog, 1148);   // the file name box (cmb13, or edt1 in older dialogs)
    if (fileName == nullptr)
        fileName = FindControl(saveDialog, 1152);
    if (fileName == nullptr)
        return false;
    SendMessageA(fileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(run.PathOf(name).c_str()));
    PostMessageA(saveDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitFor([&] { return IsWindow(saveDialog) == FALSE && run.Exists(name); });
}

// The program's log folder is "Lumisat" under LOCALAPPDATA, here the run's own.
class LocalAppData {
public:
    explicit LocalAppData(const LumisatRun& run) { SetEnvironmentVariableA("LOCALAPPDATA", run.Folder().c_str()); }
    ~LocalAppData() { SetEnvironmentVariableA("LOCALAPPDATA", nullptr); }
};

} // namespace

TEST(SignalWindow, OpensFromMenuAndBarsPollsFasterWhileOpenAndSavesTheLostLockAsShown)
{
    LumisatRun run("signal_window");
    LocalAppData appData(run);
    // Locks that outlast a fast poll: the silent re-lock must keep the poll away.
    ASSERT_TRUE(StartCableDemo(run, "[Signal]\nLoseLockAfterPolls=16\n", 1200));
    HWND main = run.MainDialog();
    EXPECT_LE(PollsDuring(run, milliseconds(4100)), 3u) << "every 2 s while closed";

    run.PostFrameCommand(kSignalCommand);
    HWND window = WaitForSignalWindow(run);
    ASSERT_NE(window, nullptr);
    EXPECT_GE(PollsDuring(run, milliseconds(3000)), 5u) << "every 500 ms while open";
    run.PostFrameCommand(kSignalCommand);
    EXPECT_EQ(SignalWindows(run).size(), 1u) << "one instance";
    EXPECT_TRUE(WaitFor([&] { return WindowText(window).find("Signal - Strength ") == 0; }));

    // Switched on in the window, the log takes the lost lock's re-lock.
    SendMessageA(GetDlgItem(window, IDC_SIGNAL_TRACE_LOG), BM_CLICK, 0, 0);
    DWORD traceLog = 0;
    EXPECT_TRUE(run.RegistryNumber("TraceLog", traceLog) && traceLog == 1);
    const size_t polls = run.CallsFrom("GetSignalStrAndQu() = 0 ->").size();
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<std::string> lines = run.CallsFrom("GetSignalStrAndQu() = 0 ->");
        const auto unlocked = [](const std::string& poll) { return poll.back() == '0'; };
        const bool lost = std::any_of(lines.begin() + polls, lines.end(), unlocked);
        return lost && lines.back().back() == '1';   // and regained since
    }, seconds(20)));

    ASSERT_TRUE(SaveCsv(run, window, "signal.csv"));
    const std::vector<std::string> shown = CsvReadings(run.ReadFile("signal.csv"));
    const std::vector<std::string> calls = run.CallsFrom("GetSignalStrAndQu() = 0 ->");
    ASSERT_LE(shown.size(), calls.size());
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], ShownReading(calls[i])) << "reading " << i;
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const std::string& r) { return r.back() == '0'; }))
        << "the lost lock";
    EXPECT_EQ(shown.back().back(), '1') << "and the regained one";
    EXPECT_EQ(run.OverlappingLockCalls(), 0) << "no poll while the silent re-lock is in the driver";

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindow(window) == FALSE; }));
    Sleep(600);
    EXPECT_LE(PollsDuring(run, milliseconds(4100)), 3u) << "back to 2 s once closed";

    HWND bar = FindWindowExA(main, nullptr, "Static", nullptr);
    while (bar != nullptr && GetDlgCtrlID(bar) != kLevelBarId)
        bar = FindWindowExA(main, bar, "Static", nullptr);
    ASSERT_NE(bar, nullptr);
    PostMessageA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_NE(WaitForSignalWindow(run), nullptr) << "a double click on a bar opens it too";

    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit());
    const std::string log = run.ReadFile("Lumisat\\Lumisat.log");
    EXPECT_TRUE(std::regex_search(log, std::regex(R"((^|\n)\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[\d+\] )"
                                                  R"(nStrength = \d+, nQuality = \d+, nLock = 0\n)")))
        << log;
    EXPECT_NE(log.find("] .....Lock channel.....Frequency:474000,SymbolRate:6900,Polarity:64\n"), std::string::npos);
    EXPECT_NE(log.find("] **********App End**********"), std::string::npos);
}

// The rotation and the line layout are the trace log's unit tests' own.
TEST(SignalWindow, DiagnosticLogIsWrittenOnlyWithTraceLogOne)
{
    for (const DWORD value : {0u, 1u}) {
        LumisatRun run("trace_log_" + std::to_string(value));
        LocalAppData appData(run);
        run.SetRegistryNumber("TraceLog", value);
        ASSERT_TRUE(StartCableDemo(run));
        ASSERT_TRUE(run.ExitsCleanly());
        EXPECT_EQ(run.Exists("Lumisat"), value == 1) << "no log, not even its folder, with TraceLog 0";
        if (value == 1) {
            EXPECT_NE(run.ReadFile("Lumisat\\Lumisat.log").find("] **********App Start**********"), std::string::npos);
        }
    }
}
