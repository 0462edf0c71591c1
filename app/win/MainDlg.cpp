#include "app/win/MainDlg.h"

#include "app/InstallPaths.h"
#include "app/win/DiagnosticLog.h"
#include "app/win/HtmlHelp.h"
#include "app/win/ProgramFolder.h"
#include "app/win/ReceiverNotices.h"
#include "framework/CommandMap.h"
#include "framework/MessageBox.h"
#include "language/LanguageList.h"
#include "reception/win/SetupApiAdapterRegistry.h"
#include "resources/resource.h"

#include <utility>

namespace {
constexpr UINT kInitRetryPeriod = 5000;
constexpr int kInitRetries = 12;
constexpr UINT kStartupLockDelay = 110;
}   // namespace

CMainDlg::CMainDlg(MainDialogOwner& owner, ReceiverDriver& driver)
    : CDialog(IDD_MAIN), owner(owner),
      session(
          driver, *this, settingsKey, [](const std::string& line) { WriteDiagnosticTrace(line); },
          [](const std::string& line) { OutputDebugStringA(line.c_str()); }),
      languageChoice(
          session.Settings(), [this](const std::string& file) { ApplyLanguage(file); },
          [this] { session.MarkSettingsChanged(0); }),
      satelliteList(session, *this, [this] { return AppliedLanguageFile(); })
{
}

CMainDlg::~CMainDlg() { Destroy(); }

BOOL CMainDlg::OnInitDialog()
{
    bannerPicture.Attach(hwnd, IDC_MAIN_BANNER);
    languageChoice.Attach(hwnd);
    satelliteList.Attach(hwnd);
    tabControl.Subclass(Item(IDC_MAIN_TAB));
    icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    CopyMachinePath(session.Settings());
    session.LoadSettings(ProgramFolder());
    LoadBanner();
    StartReceiver();
    return TRUE;
}

void CMainDlg::StartReceiver()
{
    session.BeginStart();
    if (!InitialiseReceiver())
        return;
    SetupApiAdapterRegistry adapters;
    session.FinishStart(adapters);
    RegisterReceiverNotices(hwnd);
}

bool CMainDlg::InitialiseReceiver()
{
    receiverInitialised = true;
    // Every call to the card and its answer go to the diagnostic log.
    session.Gate().SetObserver(&DiagnosticDriverCallLog());
    if (!session.StartCard()) {
        // Started with Windows, a USB card may not be ready yet at logon.
        if (owner.StartedHidden() && initRetries++ < kInitRetries) {
            WriteDiagnosticTrace("The card is not ready: it is tried again in 5 s.\n");
            StartTimer(kInitRetryTimer, kInitRetryPeriod);
            return false;
        }
        ShowErrorMessage(hwnd, Text("String18", "Can't init hardware information,this application will exit."));
        owner.RequestClose(CloseRequest::Close);
        return false;
    }
    // Posted, so that the result is acted on by the user-interface thread.
    session.SetLockNotice([window = hwnd](std::uint32_t run) {
        PostMessageA(window, kLockWorkerDoneMessage, static_cast<WPARAM>(run), 0);
    });
    CreatePages();
    languageChoice.Fill();
    powerSettings.Suspend();
    satelliteList.Fill();
    Refresh(kPagesPart);
    session.StartSignalTimer();
    // The bars' tips (a window each) come with the first show.
    signalDisplay.Create(hwnd);
    session.SetPendingChanges(false);
    WriteDiagnosticTimestamp("**********App Start**********");
    // The first reading; the silent lock it may ask for waits for the MAC step.
    OnSignalPoll();
    helpCookie = HtmlHelpInitialize();
    StartTimer(kStartupLockTimer, kStartupLockDelay);
    PostMessageA(hwnd, kReportUnreadDatabaseMessage, 0, 0);
    return true;
}

void CMainDlg::CreatePages()
{
    const std::vector<std::string> captions = TabCaptions(session.GetDeviceKind());
    CTabCtrl tabs(Item(IDC_MAIN_TAB));
    for (size_t i = 0; i < captions.size(); ++i)
        tabs.InsertItem(static_cast<int>(i), captions[i]);
    tabControl.SetDatabase(&session.Database());
    tabControl.CreatePages(session, settingsKey);
}

void CMainDlg::LoadBanner()
{
    const std::string file = InstallFilePath(session.Settings().installationPath, "Main.bmp");
    if (!file.empty())
        bannerBitmap = bannerPicture.ShowBitmapFile(file);   // none: the built-in banner stays
}

void CMainDlg::OnDestroy()
{
    signalDisplay.Destroy();
    for (UINT_PTR timer :
         {kSignalTimer, kStartupLockTimer, kStatisticsTimer, kPidMacTimer, kRestoreTimer, kInitRetryTimer})
        StopTimer(timer);
    // Destroying the pages abandons their lock workers: a worker still inside
    // the driver makes no further call.
    tabControl.DestroyPages();
    // ReleaseDise is the last call. A worker still inside LockChannel3 gets
    // the lock wait's time to return; a driver that hangs longer is left
    // alone, and the program still ends.
    if (receiverInitialised)
        session.ShutDownDriver([this] { WriteDiagnosticTimestamp("**********App End**********"); });
    powerSettings.Restore();
    if (helpCookie != 0) {
        HtmlHelpUninitialize(helpCookie);
        helpCookie = 0;
    }
    DeleteTemporaryLanguageFile(session.Settings().installationPath, session.Settings().languageName);
    if (bannerBitmap != nullptr) {
        DeleteObject(bannerBitmap);
        bannerBitmap = nullptr;
    }
}

bool CMainDlg::OnCommand(WORD code, WORD id, HWND)
{
    if (code == CBN_SELCHANGE && id == IDC_MAIN_LANGUAGE_COMBO)
        languageChoice.OnSelected();
    else if (code == CBN_SELCHANGE && id == IDC_MAIN_SATELLITE_COMBO)
        satelliteList.OnSelected();
    else if (code == STN_DBLCLK && id == kLevelBarId)
        OpenSignalWindow();
    else if (code != BN_CLICKED)
        return false;
    else if (id == IDC_MAIN_NEW || id == IDC_MAIN_CHANGE)
        satelliteList.Edit(id == IDC_MAIN_CHANGE);
    else if (id == IDC_MAIN_REMOVE)
        satelliteList.OnRemove();
    else if (id == IDC_MAIN_APPLY)
        session.Apply();
    else if (id == IDC_MAIN_HELP)
        ShowHelpOfButton(session.Settings());
    else if (id == IDC_MAIN_RESTORE)
        session.Restore();
    else
        return false;
    return true;
}

bool CMainDlg::OnNotify(NMHDR* header, LRESULT&)
{
    // However the strip's selection changed, its page follows.
    if (header != nullptr && header->idFrom == IDC_MAIN_TAB && header->code == TCN_SELCHANGE)
        tabControl.FollowSelectedTab(false);
    return false;
}

bool CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_DEVICECHANGE: OnDeviceChange(wParam, lParam); return false;   // the dialog's normal handling follows
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wParam);
        result = TRUE;
        return true;
    case WM_PAINT:
        if (PaintIconWhenMinimised(icon))
            return true;
        signalDisplay.Paint();
        return false;   // the dialog paints itself as usual
    case WM_QUERYDRAGICON: result = reinterpret_cast<INT_PTR>(icon); return true;
    case WM_HELP:
        ShowHelpOfF1(hwnd, session.Settings());
        result = TRUE;
        return true;
    case kLockWorkerDoneMessage: session.OnLockWorkerDone(static_cast<std::uint32_t>(wParam)); return true;
    case kReportUnreadDatabaseMessage: session.ReportUnreadDatabase(); return true;
    case kShowWaitingMessages:
        ShowBarTips();
        for (const std::string& text : std::exchange(waitingMessages, {}))
            ShowErrorMessage(hwnd, text);
        return true;
    default: return false;
    }
}

void CMainDlg::OnShowWindow(bool shown)
{
    if (shown && !shownOnce) {
        shownOnce = true;
        PostMessageA(hwnd, kShowWaitingMessages, 0, 0);
    }
}

void CMainDlg::OnDeviceChange(WPARAM event, LPARAM data)
{
    switch (ClassifyWindowsNotice(event, data)) {
    case DeviceNoticeAction::ReceiverArrived:
        session.ReceiverArrived();
        ShowNotice(hwnd, "Norvane USB Device DEVICEARRIVAL");
        break;
    case DeviceNoticeAction::ReceiverRemoved:
        // A USB card goes with the sleep and comes back at the resume.
        if (session.RemovalEndsProgram(std::chrono::steady_clock::now()))
            CloseForRemoval();
        else
            WriteDiagnosticTrace("The receiver went with the sleep: waiting for it to come back.\n");
        break;
    case DeviceNoticeAction::Ignore: break;
    }
}

void CMainDlg::OnPowerBroadcast(WPARAM event)
{
    if (event == PBT_APMSUSPEND)
        session.Suspending(std::chrono::steady_clock::now());
    else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        session.Resumed(std::chrono::steady_clock::now());
}

bool CMainDlg::PreTranslateMessage(const MSG& message)
{
    if (tabControl.TranslateDialogKey(hwnd, message))
        return true;
    if (!IsSignalWindowKey(hwnd, message))
        return false;
    OpenSignalWindow();
    return true;
}
