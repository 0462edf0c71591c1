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
constexpr char kPoll[] = "GetSignalStrAndQu() = 0 ->";

std::vector<HWND> SignalWindows(const LumisatRun& run)
{
    std::vector<HWND> found = ProcessWindows(run.ProcessId(), {"#32770", nullptr, true});
    std::erase_if(found, [](HWND window) { return GetDlgItem(window, IDC_SIGNAL_SAVE_CSV) == nullptr; });
    return found;
}

HWND WaitForSignalWindow(const LumisatRun& run)
{
    return WaitFor([&] { return SignalWindows(run).size() == 1; }) ? SignalWindows(run)[0] : nullptr;
}

// Signal polls the simulator answers during the time.
size_t PollsDuring(const LumisatRun& run, milliseconds time)
{
    const size_t before = run.CallsFrom("GetSignalStrAndQu(").size();
    Sleep(static_cast<DWORD>(time.count()));
    return run.CallsFrom("GetSignalStrAndQu(").size() - before;
}

// The lock flags of the CSV's rows "time,strength,quality,locked".
std::string CsvLockFlags(const std::string& csv)
{
    std::istringstream lines(csv);
    std::string line, flags;
    std::getline(lines, line);
    EXPECT_EQ(line, "Time,Strength,Quality,Locked\r");
    const std::regex row(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3},\d+,\d+,([01])\r)");
    for (std::smatch match; std::getline(lines, line); flags += match[1])
        EXPECT_TRUE(std::regex_match(line, match, row)) << line;
    return flags;
}

} // namespace

TEST(SignalWindow, OpensFromMenuAndBarsPollsFasterWhileOpenAndSavesTheLostLockAsShown)
{
    LumisatRun run("signal_window");
    LocalAppData appData(run);
    // Locks that outlast a fast poll: the silent re-lock must keep the poll away.
    ASSERT_TRUE(StartDemo(run, "cable.ini", "[Signal]\nLoseLockAfterPolls=16\n", 1200));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
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
    const size_t polls = run.CallsFrom(kPoll).size();
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<std::string> lines = run.CallsFrom(kPoll);
        const auto unlocked = [](const std::string& poll) { return poll.back() == '0'; };
        const bool lost = std::any_of(lines.begin() + polls, lines.end(), unlocked);
        return lost && lines.back().back() == '1';   // and regained since
    }, seconds(20)));

    // What the bars showed (the readings themselves are the history's unit tests'): locked, lost, regained.
    Click(FindControl(window, IDC_SIGNAL_SAVE_CSV));
    ASSERT_TRUE(run.AnswerFileDialog(run.PathOf("signal.csv")));
    ASSERT_TRUE(WaitFor([&] { return run.Exists("signal.csv"); }));
    const std::string flags = CsvLockFlags(run.ReadFile("signal.csv"));
    ASSERT_NE(flags.find("10"), std::string::npos) << flags;
    EXPECT_EQ(flags.back(), '1') << flags;

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindow(window) == FALSE; }));
    Sleep(600);   // a fast poll already started may still come
    EXPECT_LE(PollsDuring(run, milliseconds(4100)), 3u) << "back to 2 s once closed";

    HWND bar = FindWindowExA(run.MainDialog(), nullptr, "Static", nullptr);
    while (bar != nullptr && GetDlgCtrlID(bar) != kLevelBarId)
        bar = FindWindowExA(run.MainDialog(), bar, "Static", nullptr);
    ASSERT_NE(bar, nullptr);
    PostMessageA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_NE(WaitForSignalWindow(run), nullptr) << "a double click on a bar opens it too";

    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit());
    const std::string log = run.ReadFile("Lumisat\\Lumisat.log");
    // What it holds is the log's unit tests' own; here what reached it.
    EXPECT_NE(log.find("nLock = 0\n"), std::string::npos) << "the lost lock";
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
        ASSERT_TRUE(StartDemo(run, "cable.ini") && run.WaitForCall("StartFilter() = 0"));
        ASSERT_TRUE(run.ExitsCleanly());
        EXPECT_EQ(run.Exists("Lumisat"), value == 1) << "no log, not even its folder, with TraceLog 0";
        EXPECT_EQ(run.ReadFile("Lumisat\\Lumisat.log").find("] **********App Start**********") != std::string::npos,
                  value == 1);
    }
}
