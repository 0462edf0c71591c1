#include "app/win/ReceiverApp.h"

#include "app/StartupOptions.h"
#include "app/win/MainFrame.h"
#include "driver/win/QuarlinkDriver.h"
#include "framework/MessageBox.h"
#include "framework/MessageLoop.h"
#include "resources/ProgramIdentity.h"

#include <commctrl.h>

namespace {
void ActivateRunningInstance()
{
    HWND running = FindWindowA(nullptr, kProgramTitle);
    if (running == nullptr)
        return;
    ShowWindow(running, SW_SHOWNORMAL);
    SetForegroundWindow(running);
}
}   // namespace

CReceiverApp::CReceiverApp() = default;
CReceiverApp::~CReceiverApp() = default;

bool CReceiverApp::InitInstance()
{
    SetMessageBoxCaption(kProgramTitle);
    g_exitRequestMessage = RegisterWindowMessageA(kExitRequestMessageName);

    const StartupOptions options = ParseStartupOptions(GetCommandLineA());
    instanceMutex = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // A start with Windows finds the program running: nothing to show.
        if (!options.tray)
            ActivateRunningInstance();
        return false;
    }

    HANDLE other = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kOtherProgramMutexName);
    if (other != nullptr) {
        ShowMessageBox(nullptr, "Norvane DTV already run in your system, please close it.", "Lumisat", MB_OK);
        CloseHandle(other);
        return false;
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    mainWindow = std::make_unique<CMainFrame>(TheReceiverDriver(), options.tray);
    if (!mainWindow->LoadFrame())
        return false;
    ShowWindow(mainWindow->GetSafeHwnd(), SW_HIDE);
    UpdateWindow(mainWindow->GetSafeHwnd());
    return true;
}

int CReceiverApp::Run()
{
    int code = CMessageLoop::Run();
    mainWindow.reset();
    return code;
}
