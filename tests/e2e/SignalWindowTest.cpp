// The signal window: opened from the notification-area menu and the level
// bars, its faster poll, the tone without a sound device, the lost and
// regained lock with the card's own figures and the data rate in its CSV,
// and the diagnostic log that the "TraceLog" value and its check box switch
// (its rotation and line layout are the trace log's unit tests').
#include "tests/e2e/Scenario.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <sstream>

namespace {

constexpr int kLevelBarId = 0xFFFF;
constexpr char kPoll[] = "GetSignalStrAndQu() = 0 ->";
// The signal poll's period while the signal window is open.
constexpr milliseconds kFastPollPeriod{500};

size_t SignalWindows(const LumisatRun& run)
{
    std::vector<HWND> found = ProcessWindows(run.ProcessId(), {"#32770", nullptr, true});
    return std::count_if(found.begin(), found.end(),
                         [](HWND window) { return GetDlgItem(window, IDC_SIGNAL_SAVE_CSV); });
}

// Signal polls the simulator answers during the time.
size_t PollsDuring(const LumisatRun& run, milliseconds time)
{
    const size_t before = run.CallsFrom("GetSignalStrAndQu(").size();
    Sleep(static_cast<DWORD>(time.count()));
    return run.CallsFrom("GetSignalStrAndQu(").size() - before;
}

// The CSV's rows as their fields "time,strength,quality,locked,kbit/s,event"
// (the layout of each is the history's unit tests' own).
std::vector<Lines> CsvRows(const std::string& csv)
{
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Time,Strength,Quality,Locked,DataKbps,Event\r");
    std::vector<Lines> rows;
    while (std::getline(lines, line)) {
        Lines fields(1);
        for (const char c : line.substr(0, line.size() - 1)) {   // without the CR
            if (c == ',')
                fields.emplace_back();
            else
                fields.back().push_back(c);
        }
        EXPECT_EQ(fields.size(), 6u) << line;
        rows.push_back(fields);
    }
    return rows;
}

// The user's Documents folder, as the shell finds it, is a new folder in the
// run's folder while this lives (the prefix's own is the Unix home). New
// each time, so that no file dialog remembers it from an earlier run.
class DocumentsFolder {
public:
    explicit DocumentsFolder(const LumisatRun& run) : name("Documents" + std::to_string(GetTickCount()))
    {
        DWORD size = sizeof saved;
        kept = RegGetValueA(HKEY_CURRENT_USER, kShellFolders, "Personal", RRF_RT_ANY | RRF_NOEXPAND, &type, saved,
                            &size) == ERROR_SUCCESS;
        CreateDirectoryA(run.PathOf(name).c_str(), nullptr);
        Set(REG_SZ, run.PathOf(name));
    }
    ~DocumentsFolder()
    {
        if (kept)
            Set(type, saved);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kShellFolders, "Personal");
    }

    // A file in the folder, relative to the run's folder.
    std::string File(const std::string& file) const { return name + "\\" + file; }

private:
    static constexpr char kShellFolders[] =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    void Set(DWORD valueType, const std::string& folder) const
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, kShellFolders, "Personal", valueType, folder.c_str(),
                        static_cast<DWORD>(folder.size() + 1));
    }
    std::string name;
    char saved[MAX_PATH] = {};
    DWORD type = REG_SZ;
    bool kept = false;
};

}   // namespace

TEST(SignalWindow, OpensFromMenuAndBarsPollsFasterWhileOpenAndSavesWhatTheCardReported)
{
    LumisatRun run("signal_window");
    LocalAppData appData(run);
    DocumentsFolder documents(run);
    Stages stage;
    // Locks that outlast a fast poll: the silent re-lock must keep the poll away.
    run.SetRegistryNumber("TraceLog", 0);
    ASSERT_TRUE(StartDemo(run, "cable.ini", "[Signal]\nLoseLockAfterPolls=16\n", 1200));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    EXPECT_FALSE(run.Exists("Lumisat")) << "no log, not even its folder, with TraceLog 0";
    EXPECT_LE(PollsDuring(run, 2 * kSignalPollPeriod), 3u) << "every 2 s while closed";

    stage("open: one window, polling faster");
    run.PostFrameCommand(kSignalCommand);
    HWND window = run.WaitForDialogWith(IDC_SIGNAL_SAVE_CSV);
    ASSERT_NE(window, nullptr);
    EXPECT_GE(PollsDuring(run, 6 * kFastPollPeriod), 5u) << "every 500 ms while open";
    run.PostFrameCommand(kSignalCommand);
    EXPECT_TRUE(NeverWithin([&] { return SignalWindows(run) > 1; })) << "one instance";
    EXPECT_TRUE(WaitFor([&] { return WindowText(window).find("Signal - Strength ") == 0; }));

    // Switched on in the window, the log takes the lost lock's re-lock.
    stage("the trace log and the tone switched on");
    SendMessageA(GetDlgItem(window, IDC_SIGNAL_TRACE_LOG), BM_CLICK, 0, 0);
    DWORD traceLog = 0;
    EXPECT_TRUE(run.RegistryNumber("TraceLog", traceLog) && traceLog == 1);
    // Without a sound device (Wine here has none) the tone is silent and
    // harmless; minimising the window stops it.
    HWND tone = GetDlgItem(window, IDC_SIGNAL_TONE);
    SendMessageA(tone, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(tone, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(run.Answers(seconds(2)));
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(tone, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    ShowWindow(window, SW_RESTORE);

    stage("a lost and regained lock in the CSV");
    const size_t polls = run.CallsFrom(kPoll).size();
    ASSERT_TRUE(WaitFor(
        [&] {
            const Lines lines = run.CallsFrom(kPoll);
            const auto unlocked = [](const std::string& poll) { return poll.back() == '0'; };
            const bool lost = std::any_of(lines.begin() + polls, lines.end(), unlocked);
            return lost && lines.back().back() == '1';   // and regained since
        },
        seconds(20)));
    // Proposed in Documents, and the window says where it went. Without the
    // proposal the dialog would open in the working folder, which holds a CSV file.
    run.WriteFile("earlier.csv", "");
    Click(FindControl(window, IDC_SIGNAL_SAVE_CSV));
    ASSERT_TRUE(run.AnswerFileDialog("signal.csv"));
    ASSERT_TRUE(WaitFor([&] { return run.Exists(documents.File("signal.csv")); }));
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_SIGNAL_SAVED)),
              "The CSV file was saved: " + FullPath(run.PathOf(documents.File("signal.csv"))));
    // The bars show the card's values plus 20 while locked; the file has the card's own.
    EXPECT_GE(std::stoi(WindowText(run.Control(IDC_MAIN_STRENGTH_TEXT))), 87);
    std::string flags, events;
    bool rate = false;
    for (Lines& row : CsvRows(run.ReadFile(documents.File("signal.csv")))) {
        row.resize(6);
        if (row[3] == "1")   // the card's 70 and 65, each within 3
            EXPECT_TRUE(std::abs(std::stoi(row[1]) - 70) <= 3 && std::abs(std::stoi(row[2]) - 65) <= 3)
                << row[1] << "," << row[2];
        flags += row[3];
        events += row[5].empty() ? "" : row[5] + ";";
        rate = rate || (!row[4].empty() && std::abs(std::stod(row[4]) - 2000) < 200);
    }
    EXPECT_NE(flags.find("10"), std::string::npos) << flags;
    EXPECT_EQ(flags.back(), '1') << flags;
    EXPECT_EQ(events, "Lock lost;Re-locked;");
    EXPECT_TRUE(rate) << "the channel's 2000 kbit/s";
    EXPECT_EQ(SendMessageA(GetDlgItem(window, IDC_SIGNAL_EVENTS), LB_GETCOUNT, 0, 0), 3)
        << "the date, then both events";

    stage("closed: back to the slow poll; a double click on a bar opens it");
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindow(window) == FALSE; }));
    ASSERT_TRUE(run.WaitForCall(kPoll, run.LogSize())) << "a fast poll already started may still come";
    EXPECT_LE(PollsDuring(run, 2 * kSignalPollPeriod), 3u) << "back to 2 s once closed";
    HWND bar = FindWindowExA(run.MainDialog(), nullptr, "Static", nullptr);
    while (bar != nullptr && GetDlgCtrlID(bar) != kLevelBarId)
        bar = FindWindowExA(run.MainDialog(), bar, "Static", nullptr);
    ASSERT_NE(bar, nullptr);
    PostMessageA(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_NE(run.WaitForDialogWith(IDC_SIGNAL_SAVE_CSV), nullptr);

    ASSERT_TRUE(run.ExitsCleanly());
    const std::string log = run.ReadFile(kTraceLog);
    // What it holds is the log's unit tests' own; here what reached it.
    EXPECT_NE(log.find("nLock = 0\n"), std::string::npos) << "the lost lock";
    EXPECT_NE(log.find("] .....Lock channel.....Frequency:474000,SymbolRate:6900,Polarity:64\n"), std::string::npos);
    EXPECT_NE(log.find("] **********App End**********"), std::string::npos);
    if (waveOutGetNumDevs() == 0)
        EXPECT_NE(log.find("] The tone has no sound device to play on.\n"), std::string::npos);
}

// The peaks, which the window also gives as its plot's text, start again
// when the user tunes another channel; the window's texts follow the language.
TEST(SignalWindow, PeaksStartAgainWithATuneToAnotherChannelAndTextsFollowTheLanguage)
{
    LumisatRun run("signal_peaks");
    run.WriteFile("cabledata.dll",
                  SatelliteFileBytes({Channel("Strong", 474000, 6900, 64), Channel("Weak", 482000, 6900, 64)}));
    run.WriteIni(CardIni(kCableKind,
                         "[Channel 474000]\nFrequency=474000\nSymbolRate=6900\nQAM=64\nStrength=90\nQuality=80\n"
                         "[Channel 482000]\nFrequency=482000\nSymbolRate=6900\nQAM=64\nStrength=40\nQuality=30\n"));
    ASSERT_TRUE(run.Start() && run.WaitForCall("StartFilter() = 0"));
    run.PostFrameCommand(kSignalCommand);
    HWND window = run.WaitForDialogWith(IDC_SIGNAL_SAVE_CSV);
    ASSERT_NE(window, nullptr);
    HWND plot = GetDlgItem(window, IDC_SIGNAL_PLOT);
    const std::regex peaks(R"(Peak: Strength (\d+)%, Quality (\d+)%\n.*)");
    const auto peakStrength = [&] {
        std::smatch match;
        const std::string text = WindowText(plot);
        return std::regex_match(text, match, peaks) ? std::stoi(match[1]) : -1;
    };
    EXPECT_TRUE(WaitFor([&] { return peakStrength() >= 87; })) << WindowText(plot);

    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 1);
    run.Press(IDC_CABLE_LOCK_TEST);
    ASSERT_TRUE(run.WaitForCall("LockChannel3(482000"));
    EXPECT_TRUE(WaitFor([&] { return peakStrength() >= 37 && peakStrength() <= 43; })) << WindowText(plot);

    // The open window follows a change of language.
    ASSERT_TRUE(ChooseLanguage(run, "German"));
    EXPECT_EQ(WideWindowText(GetDlgItem(window, IDC_SIGNAL_RESET_PEAK)), L"Spitze zur\u00FCcksetzen");
}
