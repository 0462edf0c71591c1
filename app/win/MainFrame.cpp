#include "app/win/MainFrame.h"

#include "app/win/AboutDlg.h"
#include "app/win/DiagnosticLog.h"
#include "app/win/MainDlg.h"
#include "app/win/StartWithWindows.h"
#include "framework/MessageBox.h"
#include "framework/ModalLoop.h"
#include "resources/ProgramIdentity.h"
#include "resources/resource.h"

UINT g_exitRequestMessage = 0;

namespace {
// Sent to every top-level window when the shell's task bar is (re)created.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}
}   // namespace

CMainFrame::CMainFrame(ReceiverDriver& driver, bool startHidden) : driver(driver), startHidden(startHidden) {}

CMainFrame::~CMainFrame() { systemIcon.Remove(); }

bool CMainFrame::LoadFrame()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    if (!RegisterWindowClass(kFrameClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, icon))
        return false;
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    // The frame keeps an empty title so that a second instance finds the
    // main dialog, not this hidden window, by its title.
    if (!Create(kFrameClass, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, menu)) {
        if (menu != nullptr)
            DestroyMenu(menu);
        return false;
    }
    return true;
}

void CMainFrame::ShowTrayLock(bool locked, const std::string& note)
{
    trayLocked = locked;
    trayNote = note;
    // A lock that went is shown at once: a lock's wait may follow. A new lock
    // is shown by the message loop, after the filter it starts: a call to the
    // shell costs milliseconds that the data would wait for.
    if (!locked)
        ShowTrayLockNow();
    else if (!trayLockPosted)
        trayLockPosted = PostMessageA(hwnd, kShowTrayLockMessage, 0, 0) != FALSE;
    if (locked && !trayLockPosted)
        ShowTrayLockNow();
}

void CMainFrame::ShowTrayLockNow()
{
    systemIcon.SetIcon(static_cast<UINT>(trayLocked ? IDI_LOCKED : IDI_UNLOCKED));
    systemIcon.SetTip(trayNote.empty() ? std::string(kProgramTitle) : std::string(kProgramTitle) + ": " + trayNote);
}

bool CMainFrame::DialogVisible() const
{
    return mainDialog && mainDialog->GetSafeHwnd() != nullptr && IsWindowVisible(mainDialog->GetSafeHwnd());
}

void CMainFrame::ShowTrayBalloon(const std::string& text) { systemIcon.ShowBalloon(kProgramTitle, text); }

bool CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CREATE: result = OnCreate() ? 0 : -1; return true;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kCommandExit: RequestClose(CloseRequest::Exit); return true;
        case kCommandShowHide: OnShowHide(); return true;
        case kCommandAbout: OnAbout(); return true;
        case kCommandStartWithWindows: OnStartWithWindows(); return true;
        case kCommandSignal:
            if (mainDialog)
                mainDialog->OpenSignalWindow();
            return true;
        default: return false;
        }
    case WM_CLOSE:
        // Closing now would free what an open dialog returns into.
        if (!CModalLoop::AnyOpen())
            return false;
        RequestClose(CloseRequest::Close);
        result = 0;
        return true;
    case kRunCloseRequestMessage:
        RunCloseRequest(static_cast<CloseRequest>(wParam));
        result = 0;
        return true;
    case WM_QUERYENDSESSION: result = OnQueryEndSession() ? TRUE : FALSE; return true;
    case kAskAboutPendingChangesMessage:
        AskAboutPendingChanges();
        result = 0;
        return true;
    case kShowTrayLockMessage:
        trayLockPosted = false;
        ShowTrayLockNow();
        result = 0;
        return true;
    case WM_ENDSESSION:
        if (wParam != FALSE)
            OnEndSession();
        result = 0;
        return true;
    case WM_DESTROY: OnDestroy(); return false;
    case WM_NCDESTROY:
        systemIcon.Remove();
        PostQuitMessage(0);
        return false;
    case kTrayCallbackMessage:
        OnTrayNotify(lParam);
        result = 0;
        return true;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
            systemIcon.EnsureShown();
        result = TRUE;
        return true;
    default:
        if (message != 0 && message == TaskbarCreatedMessage()) {
            OnTaskbarCreated();
            result = 0;
            return true;
        }
        if (message != 0 && message == g_exitRequestMessage) {
            OnExitRequest(wParam);
            result = 0;
            return true;
        }
        return false;
    }
}

bool CMainFrame::OnCreate()
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_UNLOCKED));
    // At logon the notification area may come up after the program: the
    // icon is then added when it announces itself.
    if (!systemIcon.Create(hwnd, kTrayCallbackMessage, kProgramTitle, icon, IDI_APPLICATION_ICON) && !startHidden)
        return false;
    mainDialog = std::make_unique<CMainDlg>(static_cast<MainDialogOwner&>(*this), driver);
    // A dialog that cannot be created leaves the frame running without it;
    // the initialisation itself closes the frame when the card fails.
    if (mainDialog->Create(hwnd)) {
        mainDialog->SetCaption(kProgramTitle);
        if (!startHidden)
            mainDialog->Show(SW_SHOWNORMAL);
    }
    return true;
}

void CMainFrame::OnTaskbarCreated()
{
    if (systemIcon.AddAgain())
        WriteDiagnosticTrace("The notification-area icon was added again.\n");
}

void CMainFrame::OnStartWithWindows()
{
    const bool on = !StartsWithWindows();
    if (!SetStartWithWindows(on))
        WriteDiagnosticTrace("The start with Windows could not be changed.\n");
}

void CMainFrame::OnShowHide()
{
    if (!mainDialog || mainDialog->GetSafeHwnd() == nullptr)
        return;
    if (DialogVisible()) {
        mainDialog->Show(SW_HIDE);
    } else {
        mainDialog->Show(SW_SHOW);
        PostMessageA(mainDialog->GetSafeHwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

void CMainFrame::OnAbout()
{
    if (!mainDialog)
        return;
    // The menu stays reachable while the box runs: one box, brought forward.
    if (openAbout != nullptr) {
        if (openAbout->GetSafeHwnd() != nullptr)
            SetForegroundWindow(openAbout->GetSafeHwnd());
        return;
    }
    CAboutDlg about(mainDialog->AppliedLanguageFile());
    // Owned by the main dialog, so that it stays above it while open.
    HWND owner = mainDialog->GetSafeHwnd() != nullptr ? mainDialog->GetSafeHwnd() : hwnd;
    openAbout = &about;
    about.DoModal(owner);
    openAbout = nullptr;
}

void CMainFrame::OnDestroy()
{
    if (!mainDialog)
        return;
    mainDialog->Destroy();
    mainDialog.reset();
}
