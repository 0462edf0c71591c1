// Exit from the notification-area menu, another program's exit request and
// the receiver's removal while a dialog, a message box, a file dialog or the
// menu of the program is open: the open window goes as Cancel does, the
// handler that opened it asks nothing more of the card, and the program ends
// with 0 and the card released last. While the exit question itself is open
// it stays, and its answer decides.
#include "tests/e2e/Scenario.h"

#include <dbt.h>

namespace {

enum class Request { MenuExit, ExitRequest, Removal };

::testing::AssertionResult Ask(const LumisatRun& run, Request request)
{
    if (request == Request::MenuExit) {
        HWND menu = run.OpenTrayMenu();
        if (menu == nullptr)
            return ::testing::AssertionFailure() << "the menu did not open";
        // Exit, the last item: up from no selection wraps to it.
        PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    if (request == Request::ExitRequest)
        run.RequestExit();
    if (request == Request::Removal)
        SendDeviceNotice(run.MainDialog(), DBT_DEVICEREMOVECOMPLETE);
    return ::testing::AssertionSuccess();
}

// Each opens one window over the Filter tab and returns it, or null.
using Opener = HWND (*)(const LumisatRun&);
const Opener kMacDialog = [](const LumisatRun& run) {
    Click(run.Control(IDC_PID_MAC_CHANGE));
    return run.WaitForWindow("Change MAC Address");
};
const Opener kOpenFile = [](const LumisatRun& run) {
    Click(run.Control(IDC_CABLE_IMPORT));
    return run.WaitForFileDialog();
};
const Opener kPidInfo = [](const LumisatRun& run) {
    Click(run.Control(IDC_PID_ADD));
    return run.WaitForWindow("PID Info");
};
// The question of Remove, after whose No the page reads the card's addresses.
const Opener kRemoveQuestion = [](const LumisatRun& run) {
    SelectListRow(run.Control(IDC_PID_LIST), 0);
    Click(run.Control(IDC_PID_REMOVE));
    return run.WaitForMessageBox();
};
const Opener kAbout = [](const LumisatRun& run) {
    run.PostFrameCommand(kAboutCommand);
    return run.WaitForWindow(kAboutCaption);
};
const Opener kTrayMenu = [](const LumisatRun& run) { return run.OpenTrayMenu(); };

struct OpenState {
    const char* name;
    Opener open;
    Request request;
};

const OpenState kStates[] = {
    {"mac_menu_exit", kMacDialog, Request::MenuExit},
    {"mac_exit_request", kMacDialog, Request::ExitRequest},
    {"mac_removal", kMacDialog, Request::Removal},
    {"pid_info_menu_exit", kPidInfo, Request::MenuExit},
    {"pid_info_exit_request", kPidInfo, Request::ExitRequest},
    {"pid_info_removal", kPidInfo, Request::Removal},
    {"question_menu_exit", kRemoveQuestion, Request::MenuExit},
    {"question_exit_request", kRemoveQuestion, Request::ExitRequest},
    {"question_removal", kRemoveQuestion, Request::Removal},
    {"open_file_removal", kOpenFile, Request::Removal},
    {"about_menu_exit", kAbout, Request::MenuExit},
    {"tray_menu_exit_request", kTrayMenu, Request::ExitRequest},
};

void PrintTo(const OpenState& state, std::ostream* out) { *out << state.name; }

class ExitFromAnyState : public testing::TestWithParam<OpenState> {};

}   // namespace

TEST_P(ExitFromAnyState, EndsTheOpenWindowAndReleasesTheCardLast)
{
    const OpenState& state = GetParam();
    LumisatRun run(std::string("exit_") + state.name);
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 1, 2}}));
    ASSERT_NE(state.open(run), nullptr);
    const size_t before = run.LogSize();

    ASSERT_TRUE(Ask(run, state.request));
    ASSERT_TRUE(run.EndsCleanly());
    const Lines calls = run.CallLogLines();
    for (const char* call : {"SetFilterMAC(", "SetDataPID(", "GetDataPIDMAC("})
        EXPECT_EQ(FindLine(calls, call, before), std::string::npos) << call << " after the window was ended";
}

INSTANTIATE_TEST_SUITE_P(Requests, ExitFromAnyState, testing::ValuesIn(kStates),
                         [](const auto& info) { return std::string(info.param.name); });

// A PID loaded enables Apply: Exit over the MAC dialog ends the dialog and
// asks; the exit request and the removal meanwhile leave the question up.
TEST(ExitQuestion, StaysUpThroughFurtherRequestsAndItsAnswerDecides)
{
    LumisatRun run("exit_question_decides");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0, 2}}));
    SelectListRow(run.Control(IDC_PID_LIST), 0);
    run.Press(IDC_PID_LOAD);
    HWND macDialog = kMacDialog(run);
    ASSERT_NE(macDialog, nullptr);

    ASSERT_TRUE(Ask(run, Request::MenuExit));
    HWND question = run.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_FALSE(IsWindow(macDialog)) << "the dialog goes before the question";
    ASSERT_TRUE(Ask(run, Request::ExitRequest));
    ASSERT_TRUE(Ask(run, Request::Removal));
    EXPECT_FALSE(run.WaitForExit(kQuietWindow));
    EXPECT_EQ(AnswerBox(question, IDYES), kExitQuestion);
    EXPECT_TRUE(run.EndsCleanly());
    EXPECT_EQ(run.ReadFile("cabledata.dll"),
              SatelliteFileBytes({Channel("City Net 474", 474000, 6900, 64, {{256, 1, 2}})}))
        << "Yes saved the loaded PID";
}
