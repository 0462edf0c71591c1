// The frame's close requests (Exit, the exit request, the receiver's
// removal, WM_CLOSE), the exit question, and the end of the Windows session.
#include "app/win/MainDlg.h"
#include "app/win/MainFrame.h"
#include "framework/ModalLoop.h"
#include "framework/UiText.h"

namespace {
const char kUnsavedChangesReason[] = "Changed settings and data are not saved yet.";
}

void CMainFrame::RequestClose(CloseRequest request)
{
    if (exitQuestionOpen)
        return;
    CModalLoop::EndAllThenSend(hwnd, kRunCloseRequestMessage, static_cast<WPARAM>(request));
}

void CMainFrame::RunCloseRequest(CloseRequest request)
{
    if (sessionEnded)
        request = CloseRequest::SessionEnded;
    switch (request) {
    case CloseRequest::Exit:
    case CloseRequest::ReceiverRemoved: OnExit(); break;
    case CloseRequest::ExitRequest:
        if (OnExit() && hwnd != nullptr)
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CloseRequest::Close:
    case CloseRequest::SessionEnded: SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

bool CMainFrame::OnExit()
{
    if (!mainDialog)
        return true;
    // Changes the user wanted saved and that could not be are not
    // dropped: the program stays, and the next Exit asks again.
    if (mainDialog->HasPendingChanges() && !AskExitQuestion())
        return false;
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

bool CMainFrame::AskExitQuestion()
{
    HWND dialog = mainDialog->GetSafeHwnd();
    if (dialog == nullptr)
        return true;
    mainDialog->Show(SW_SHOWNORMAL);
    SendMessageA(dialog, WM_SYSCOMMAND, SC_RESTORE, 0);
    exitQuestionOpen = true;
    const bool settled = mainDialog->RunExitQuestion();
    exitQuestionOpen = false;
    return settled;
}

void CMainFrame::ShowPendingChanges(bool pending)
{
    if (pending == shutdownBlocked || hwnd == nullptr)
        return;
    shutdownBlocked = pending;
    if (!pending) {
        ShutdownBlockReasonDestroy(hwnd);
        return;
    }
    const std::string reason = mainDialog ? mainDialog->Text("String86", kUnsavedChangesReason) : kUnsavedChangesReason;
    ShutdownBlockReasonCreate(hwnd, WideText(reason).c_str());
}

bool CMainFrame::OnQueryEndSession()
{
    if (!mainDialog || !mainDialog->HasPendingChanges())
        return true;
    // The system waits for this answer: the question comes after it. While
    // the exit question is open, or an exit waits, that one decides.
    if (!exitQuestionOpen && !CModalLoop::ProgramEnding())
        PostMessageA(hwnd, kAskAboutPendingChangesMessage, 0, 0);
    return false;
}

void CMainFrame::AskAboutPendingChanges()
{
    if (!mainDialog || sessionEnded || exitQuestionOpen || CModalLoop::ProgramEnding() ||
        !mainDialog->HasPendingChanges())
        return;
    // Saved or discarded, they no longer hold the session; the user ends it again.
    if (AskExitQuestion())
        mainDialog->DropPendingChanges();
}

void CMainFrame::OnEndSession()
{
    sessionEnded = true;
    if (!CModalLoop::AnyOpen()) {
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    // The exit question too: an ended question saves nothing. Windows may
    // end the process before the loops have unwound.
    CModalLoop::EndAllThenSend(hwnd, kRunCloseRequestMessage, static_cast<WPARAM>(CloseRequest::SessionEnded));
}

void CMainFrame::OnExitRequest(WPARAM wParam)
{
    if (wParam == 1)
        RequestClose(CloseRequest::ExitRequest);
}
