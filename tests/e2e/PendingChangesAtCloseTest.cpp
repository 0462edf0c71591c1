// Unsaved changes when the receiver is unplugged or the Windows session
// ends: the removal asks the exit question before it closes; the session's
// end is held up while changes are pending and the question comes once the
// system's query was answered; when the session ends anyway the program shuts
// down as Exit does, saving nothing.
#include "tests/e2e/Scenario.h"

#include <dbt.h>

namespace {

// The message sent to every top-level window of the program, as the system
// sends it at the end of a session; false when one of them answered FALSE.
bool SendToProgramWindows(const LumisatRun& run, UINT message, WPARAM wParam)
{
    bool agreed = true;
    for (HWND window : ProcessWindows(run.ProcessId(), WindowFilter{})) {
        DWORD_PTR answer = TRUE;
        if (SendMessageTimeoutA(window, message, wParam, ENDSESSION_LOGOFF, SMTO_NORMAL, 15000, &answer))
            agreed = agreed && answer != FALSE;
    }
    return agreed;
}

struct Close {
    const char* name;
    bool removal;   // the receiver unplugged, else the session's end
    bool pending;   // PID 256 loaded since the last save
    bool macDialogOpen;
    int answer;   // to the exit question; 0: the session ends while it is open
};

const Close kCloses[] = {
    {"removal_changes_yes", true, true, false, IDYES},         {"removal_changes_no", true, true, false, IDNO},
    {"session_no_changes_dialog_open", false, false, true, 0}, {"session_changes_yes", false, true, false, IDYES},
    {"session_changes_no", false, true, false, IDNO},          {"session_changes_forced", false, true, false, 0},
};

}   // namespace

TEST(PendingChangesAtClose, RemovalAsksFirstSessionEndWaitsForTheAnswerAndAnEndedSessionSavesNothing)
{
    for (const Close& c : kCloses) {
        SCOPED_TRACE(c.name);
        LumisatRun run(c.name);
        ASSERT_TRUE(StartOnFilterPage(run, {{256, 0, 2}}));
        if (c.pending) {
            SelectListRow(run.Control(IDC_PID_LIST), 0);
            run.Press(IDC_PID_LOAD);
        }
        if (c.macDialogOpen)
            Click(run.Control(IDC_PID_MAC_CHANGE));
        HWND macDialog = c.macDialogOpen ? run.WaitForWindow("Change MAC Address") : nullptr;
        const size_t before = run.LogSize();

        if (c.removal)
            SendDeviceNotice(run.MainDialog(), DBT_DEVICEREMOVECOMPLETE);
        else
            EXPECT_EQ(SendToProgramWindows(run, WM_QUERYENDSESSION, 0), !c.pending);
        HWND question = run.WaitForMessageBox(c.pending ? kEventTimeout : kQuietWindow);
        EXPECT_EQ(question != nullptr, c.pending) << "the question comes once the query was answered";
        if (question != nullptr && c.answer != 0) {
            EXPECT_EQ(AnswerBox(question, c.answer), kExitQuestion);
            EXPECT_TRUE(c.removal || SendToProgramWindows(run, WM_QUERYENDSESSION, 0)) << "saved or discarded";
        }
        if (!c.removal) {
            // Another program refused: the session goes on, and so does the program.
            SendToProgramWindows(run, WM_ENDSESSION, FALSE);
            EXPECT_TRUE(run.Answers(seconds(2)));
            EXPECT_TRUE(macDialog == nullptr || IsWindowVisible(macDialog));
            EXPECT_TRUE(question == nullptr || c.answer != 0 || IsWindowVisible(question));
            SendToProgramWindows(run, WM_ENDSESSION, TRUE);
        }

        ASSERT_TRUE(run.EndsCleanly());
        const Lines calls = run.CallLogLines();
        EXPECT_TRUE(HasInOrder(calls, {"StopFilter(", "SetDiseCom1(0,0,0,0)", "ReleaseDise("}, before));
        EXPECT_EQ(FindLine(calls, "SetFilterMAC(", before), std::string::npos);
        const int saved = c.answer == IDYES ? 1 : 0;
        EXPECT_EQ(run.ReadFile("cabledata.dll"),
                  SatelliteFileBytes({Channel("City Net 474", 474000, 6900, 64, {{256, saved, 2}})}));
    }
}
