// Exit from the notification-area menu, another program's exit request and
// the receiver's removal while a dialog, a message box, a file dialog or the
// menu of the program is open: the open window goes as Cancel does, the
// handler that opened it asks nothing more of the card, and the program ends
// with 0 and the card released last. While the exit question itself is open
// it stays, and its answer decides.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

#include <dbt.h>
#include <shlwapi.h>

namespace {

enum class Request { MenuExit, ExitRequest, Removal };

const char* NameOf(Request request)
{
    switch (request) {
    case Request::MenuExit: return "menu_exit";
    case Request::ExitRequest: return "exit_request";
    case Request::Removal: return "removal";
    }
    return "";
}

::testing::AssertionResult Ask(const LumisatRun& run, Request request)
{
    switch (request) {
    case Request::MenuExit:
        if (!run.ExitFromTrayMenu())
            return ::testing::AssertionFailure() << "the menu did not open";
        break;
    case Request::ExitRequest:
        run.RequestExit();
        break;
    case Request::Removal:
        SendDeviceNotice(run.MainDialog(), DBT_DEVICEREMOVECOMPLETE, kReceiverInterface);
        break;
    }
    return ::testing::AssertionSuccess();
}

// The program's Open dialog: the one with a file name box (cmb13, or edt1).
HWND WaitForOpenDialog(const LumisatRun& run)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND window : ProcessWindows(run.ProcessId(), WindowFilter{"#32770", nullptr, true})) {
            if (FindControl(window, 1152) != nullptr || FindControl(window, 1148) != nullptr)
                found = window;
        }
        return found != nullptr;
    });
    return found;
}

// Each opens one window over the Filter tab and returns it, or null.
HWND OpenMacDialog(const LumisatRun& run)
{
    Click(run.Control(IDC_PID_MAC_CHANGE));
    return run.WaitForWindow("Change MAC Address");
}

HWND OpenPidInfo(const LumisatRun& run)
{
    Click(run.Control(IDC_PID_ADD));
    return run.WaitForWindow("PID Info");
}

// The question of Remove, after whose No the page reads the card's addresses.
HWND OpenRemoveQuestion(const LumisatRun& run)
{
    SelectListRow(run.Control(IDC_PID_LIST), 0);
    Click(run.Control(IDC_PID_REMOVE));
    return run.WaitForMessageBox();
}

HWND OpenImportFile(const LumisatRun& run)
{
    Click(run.Control(IDC_CABLE_IMPORT));
    return WaitForOpenDialog(run);
}

HWND OpenAbout(const LumisatRun& run)
{
    run.PostFrameCommand(kAboutCommand);
    return run.WaitForWindow("About NorvaneData V1.7.2.0");
}

HWND OpenTrayMenu(const LumisatRun& run)
{
    return run.OpenTrayMenu();
}

struct OpenState {
    const char* name;
    HWND (*open)(const LumisatRun&);
    Request request;
};

const OpenState kStates[] = {
    {"mac", OpenMacDialog, Request::MenuExit},
    {"mac", OpenMacDialog, Request::ExitRequest},
    {"mac", OpenMacDialog, Request::Removal},
    {"pid_info", OpenPidInfo, Request::MenuExit},
    {"pid_info", OpenPidInfo, Request::ExitRequest},
    {"pid_info", OpenPidInfo, Request::Removal},
    {"question", OpenRemoveQuestion, Request::MenuExit},
    {"question", OpenRemoveQuestion, Request::ExitRequest},
    {"question", OpenRemoveQuestion, Request::Removal},
    {"open_file", OpenImportFile, Request::Removal},
    {"about", OpenAbout, Request::MenuExit},
    {"tray_menu", OpenTrayMenu, Request::ExitRequest},
};

// Wine's crash report ("Program Error") or a window of its debugger: its
// title and program, closed so that no later scenario meets it.
BOOL CALLBACK NoteCrashReport(HWND window, LPARAM found)
{
    if (!IsWindowVisible(window))
        return TRUE;
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char program[MAX_PATH] = {};
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        DWORD size = sizeof program;
        QueryFullProcessImageNameA(process, 0, program, &size);
        CloseHandle(process);
    }
    if (StrStrIA(title, "Program Error") == nullptr && StrStrIA(program, "winedbg") == nullptr)
        return TRUE;
    *reinterpret_cast<std::string*>(found) = std::string(title) + " (" + program + ")";
    PostMessageA(window, WM_CLOSE, 0, 0);
    return FALSE;
}

// Empty when no crash was reported.
std::string TakeCrashReport()
{
    std::string report;
    EnumWindows(NoteCrashReport, reinterpret_cast<LPARAM>(&report));
    return report;
}

::testing::AssertionResult EndsWithRelease(const std::vector<std::string>& calls)
{
    if (!calls.empty() && calls.back().rfind("ReleaseDise(", 0) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "last call: " << (calls.empty() ? "none" : calls.back());
}

void PrintTo(const OpenState& state, std::ostream* out)
{
    *out << state.name << " " << NameOf(state.request);
}

class ExitFromAnyState : public testing::TestWithParam<OpenState> {
    UnmanagedProgramWindows unmanaged;
};

}  // namespace

TEST_P(ExitFromAnyState, EndsTheOpenWindowAndReleasesTheCardLast)
{
    const OpenState& state = GetParam();
    LumisatRun run(std::string("exit_") + state.name + "_" + NameOf(state.request));
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 1, 2}}));
    HWND open = state.open(run);
    ASSERT_NE(open, nullptr);
    const size_t before = run.LogSize();

    ASSERT_TRUE(Ask(run, state.request));
    const bool ended = run.WaitForExit(seconds(15));
    EXPECT_EQ(TakeCrashReport(), "");
    ASSERT_TRUE(ended);
    EXPECT_EQ(run.ExitCode(), 0u);
    const std::vector<std::string> calls = run.CallLogLines();
    EXPECT_TRUE(EndsWithRelease(calls));
    for (const char* call : {"SetFilterMAC(", "SetDataPID(", "GetDataPIDMAC("})
        EXPECT_EQ(FindLine(calls, call, before), std::string::npos) << call << " after the window was ended";
}

INSTANTIATE_TEST_SUITE_P(Requests, ExitFromAnyState, testing::ValuesIn(kStates), [](const auto& info) {
    return std::string(info.param.name) + "_" + NameOf(info.param.request);
});

// A PID loaded enables Apply: Exit over the MAC dialog ends the dialog and
// asks; the exit request and the removal meanwhile leave the question up.
TEST(ExitQuestion, StaysUpThroughFurtherRequestsAndItsAnswerDecides)
{
    UnmanagedProgramWindows unmanaged;
    LumisatRun run("exit_question_decides");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0, 2}}));
    SelectListRow(run.Control(IDC_PID_LIST), 0);
    run.Press(IDC_PID_LOAD);
    ASSERT_TRUE(run.ApplyEnabled());
    HWND macDialog = OpenMacDialog(run);
    ASSERT_NE(macDialog, nullptr);

    ASSERT_TRUE(run.ExitFromTrayMenu());
    HWND question = run.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_FALSE(IsWindow(macDialog)) << "the dialog goes before the question";
    ASSERT_TRUE(Ask(run, Request::ExitRequest));
    ASSERT_TRUE(Ask(run, Request::Removal));
    EXPECT_FALSE(run.WaitForExit(milliseconds(800)));
    EXPECT_TRUE(IsWindowVisible(question));
    EXPECT_EQ(AnswerBox(question, IDYES), "The App will exit,save current changed settings and data?");
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_EQ(run.ReadFile("cabledata.dll"), SatelliteFileBytes({Channel("City Net 474", 474000, 6900, 64, {{256, 1, 2}})}))
        << "Yes saved the loaded PID";
    EXPECT_TRUE(EndsWithRelease(run.CallLogLines()));
}
