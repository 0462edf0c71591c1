#include "app/win/MainDlg.h"

#include "app/DeviceNotice.h"
#include "app/InstallPaths.h"
#include "app/UnreadDatabaseFile.h"
#include "app/win/DiagnosticLog.h"
#include "app/win/HtmlHelp.h"
#include "app/win/MainFrame.h"
#include "common/CardKind.h"
#include "driver/win/QuarlinkDriver.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "language/LanguageFile.h"
#include "language/LanguageList.h"
#include "reception/StartupMacAddress.h"
#include "reception/win/PidPage.h"
#include "reception/win/SetupApiAdapterRegistry.h"
#include "resources/resource.h"
#include "tuning/LockWorker.h"
#include "tuning/win/DishPage.h"

#include <dbt.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
GUID ReceiverInterfaceClass()
{
    static_assert(sizeof(GUID) == kReceiverInterfaceClassBytes.size());
    GUID id;
    std::memcpy(&id, kReceiverInterfaceClassBytes.data(), sizeof(id));
    return id;
}

// The notice's record as far as its header says it is there.
DeviceNoticeAction ClassifyNotice(WPARAM event, LPARAM data)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header == nullptr)
        return ClassifyDeviceNotice(static_cast<std::uint32_t>(event), nullptr);
    DeviceNoticeRecord record;
    record.deviceType = header->dbch_devicetype;
    if (record.deviceType == DBT_DEVTYP_DEVICEINTERFACE
        && header->dbch_size >= offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_classguid) + sizeof(GUID)) {
        const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(header);
        std::memcpy(record.interfaceClass.data(), &device->dbcc_classguid, sizeof(GUID));
    }
    return ClassifyDeviceNotice(static_cast<std::uint32_t>(event), &record);
}


}

CMainDlg::CMainDlg(CMainFrame* frame, ReceiverDriver& driver) : CDialog(IDD_MAIN), session(driver, *this), frame(frame)
{
}

CMainDlg::~CMainDlg()
{
    Destroy();
}

void CMainDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_MAIN_QUALITY_TEXT, qualityText);
    dx.Text(IDC_MAIN_STRENGTH_TEXT, strengthText);
}

BOOL CMainDlg::OnInitDialog()
{
    bannerPicture.Attach(hwnd, IDC_MAIN_BANNER);
    lockIcon.Attach(hwnd, IDC_MAIN_LOCK_ICON);
    satelliteCombo.Attach(hwnd, IDC_MAIN_SATELLITE_COMBO);
    languageCombo.Attach(hwnd, IDC_MAIN_LANGUAGE_COMBO);
    tabControl.Subclass(Item(IDC_MAIN_TAB));

    icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    CopyInstallPath();
    LoadSettings();
    LoadBanner();
    StartReceiver();
    return TRUE;
}

void CMainDlg::StartReceiver()
{
    initialising = true;
    if (!InitialiseReceiver()) {
        initialising = false;
        return;
    }
    SetUpMacAddresses();
    initialising = false;
    if (startupRelockPending) {
        startupRelockPending = false;
        startupRelockRan = true;
        LockCurrent(true);
    }
    RegisterDeviceNotifications();
}

bool CMainDlg::InitialiseReceiver()
{
    receiverInitialised = true;
    // Every call to the card and its answer go to the diagnostic log.
    session.Gate().SetObserver(&DiagnosticDriverCallLog());
    ReceiverDriver& driver = session.Driver();
    if (driver.InitDise() != 0) {
        // Started with Windows, a USB card may not be ready yet at logon.
        if (frame != nullptr && frame->StartedHidden() && initRetries < kInitRetries) {
            ++initRetries;
            Trace("The card is not ready: it is tried again in 5 s.\n");
            StartTimer(kInitRetryTimer, kInitRetryPeriod, initRetryTimer);
            return false;
        }
        ShowErrorMessage(hwnd, Text("String18", "Can't init hardware information,this application will exit."));
        if (frame != nullptr)
            PostMessageA(frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
        return false;
    }
    session.SetWatchdogTime(ReadDataWatchdog(*settingsKey.Open(false)));
    session.SetDeviceKind(driver.GetCIInfo());
    session.LoadDatabase();
    // Posted, so that the result is acted on by the user-interface thread.
    session.SetLockNotice([window = hwnd](std::uint32_t run) {
        PostMessageA(window, kLockWorkerDoneMessage, static_cast<WPARAM>(run), 0);
    });
    CreatePages();
    FillLanguageList();
    powerSettings.Suspend();
    FillSatelliteList();
    session.RefreshPages();
    StartSignalTimer();
    CreateLevelBars();
    session.SetPendingChanges(false);
    TraceTimestamp("**********App Start**********");

    int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, lockValue = 0;
    driver.GetSignalStrAndQu(&strength, &quality, &reserved1, &reserved2, &lockValue);
    ShowSignal(SignalReading{strength, quality, lockValue});

    initialLockPending = 1;
    helpCookie = HtmlHelpInitialize();
    StartTimer(kStartupLockTimer, kStartupLockDelay, startupLockTimer);
    PostMessageA(hwnd, kReportUnreadDatabaseMessage, 0, 0);
    return true;
}

void CMainDlg::CreatePages()
{
    const std::vector<std::string> captions = TabCaptions(session.GetDeviceKind());
    CTabCtrl tabs(Item(IDC_MAIN_TAB));
    for (size_t i = 0; i < captions.size(); ++i)
        tabs.InsertItem(static_cast<int>(i), captions[i]);
    tabControl.CreatePages(session, settingsKey);
    tabControl.SetDatabase(&session.Database());
}

void CMainDlg::TraceTimestamp(const char* label)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char line[128];
    std::snprintf(line, sizeof(line), "%s%d-%d-%d %d:%d:%d\n", label, local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    Trace(line);
}

void CMainDlg::RegisterDeviceNotifications()
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = 32;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = ReceiverInterfaceClass();
    // The handle is kept by the system until the window goes away.
    RegisterDeviceNotificationA(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CMainDlg::OnDestroy()
{
    strengthBar.reset();
    qualityBar.reset();
    StopSignalTimer();
    StopTimer(startupLockTimer);
    StopTimer(restoreTimer);
    StopStatisticsTimer();
    StopPidMacTimer();
    // Destroying the pages abandons their lock workers: a worker still inside
    // the driver makes no further call.
    tabControl.DestroyPages();
    if (receiverInitialised) {
        // ReleaseDise is the last call. A worker still inside LockChannel3
        // gets the lock wait's time to return; a driver that hangs longer is
        // left alone, and the program still ends.
        session.ShutDownDriver([this] { TraceTimestamp("**********App End**********"); });
    }
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
    static const CommandEntry<CMainDlg> kCommands[] = {
        {CBN_SELCHANGE, IDC_MAIN_LANGUAGE_COMBO, &CMainDlg::OnLanguageChanged},
        {BN_CLICKED, IDC_MAIN_NEW, &CMainDlg::OnNewSatellite},
        {BN_CLICKED, IDC_MAIN_CHANGE, &CMainDlg::OnChangeSatellite},
        {BN_CLICKED, IDC_MAIN_REMOVE, &CMainDlg::OnRemoveSatellite},
        {BN_CLICKED, IDC_MAIN_APPLY, &CMainDlg::OnApply},
        {BN_CLICKED, IDC_MAIN_HELP, &CMainDlg::OnHelpButton},
        {CBN_SELCHANGE, IDC_MAIN_SATELLITE_COMBO, &CMainDlg::OnSatelliteSelected},
        {BN_CLICKED, IDC_MAIN_RESTORE, &CMainDlg::OnRestore},
        {STN_DBLCLK, kLevelBarId, &CMainDlg::OpenSignalWindow},
    };
    return DispatchCommand(this, kCommands, code, id);
}

bool CMainDlg::OnNotify(NMHDR* header, LRESULT&)
{
    // However the strip's selection changed, its page follows.
    if (header != nullptr && header->idFrom == IDC_MAIN_TAB && header->code == TCN_SELCHANGE)
        tabControl.FollowSelectedTab(false);
    return false;
}

void CMainDlg::OnOK()
{
    session.Ok();
}

void CMainDlg::OnCancel()
{
    if (frame != nullptr)
        frame->SetVisibleFlag(0);
    Show(SW_HIDE);
}

bool CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    switch (message) {
    case WM_DEVICECHANGE:
        OnDeviceChange(wParam, lParam);
        return false;   // the dialog's normal handling follows
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wParam);
        result = TRUE;
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && frame != nullptr)
            frame->SetVisibleFlag(0);
        else if ((wParam & 0xFFF0) == SC_RESTORE && frame != nullptr)
            frame->SetVisibleFlag(1);
        return false;
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(icon);
        return true;
    case WM_HELP:
        OnHelpRequest();
        result = TRUE;
        return true;
    case kLockWorkerDoneMessage:
        OnLockWorkerDone(static_cast<std::uint32_t>(wParam));
        return true;
    case kReportUnreadDatabaseMessage:
        // A start with Windows keeps the dialog hidden: the message waits for its first show.
        if (IsWindowVisible(hwnd))
            ReportUnreadDatabaseFile(session.Database(), *this);
        else
            unreadReportWaits = true;
        return true;
    default:
        return false;
    }
}

void CMainDlg::OnDeviceChange(WPARAM event, LPARAM data)
{
    switch (ClassifyNotice(event, data)) {
    case DeviceNoticeAction::ReceiverArrived:
        session.ReceiverArrived();
        ShowNotice(hwnd, "Norvane USB Device DEVICEARRIVAL");
        break;
    case DeviceNoticeAction::ReceiverRemoved:
        // A USB card goes with the sleep and comes back at the resume.
        if (session.RemovalEndsProgram(std::chrono::steady_clock::now()))
            CloseForRemoval();
        else
            Trace("The receiver went with the sleep: waiting for it to come back.\n");
        break;
    case DeviceNoticeAction::Ignore:
        break;
    }
}

void CMainDlg::OnPowerBroadcast(WPARAM event)
{
    switch (event) {
    case PBT_APMSUSPEND:
        session.Suspending(std::chrono::steady_clock::now());
        break;
    case PBT_APMRESUMEAUTOMATIC:
    case PBT_APMRESUMESUSPEND:
        session.Resumed(std::chrono::steady_clock::now());
        break;
    default:
        break;
    }
}

std::string CMainDlg::LanguageFilePath() const
{
    return ::LanguageFilePath(session.Settings().installationPath, session.Settings().languageName);
}

std::string CMainDlg::Text(const char* key, const char* english) const
{
    return Message(AppliedLanguageFile(), key, english);
}

void CMainDlg::OnHelpButton()
{
    const std::string base = WithTrailingBackslash(session.Settings().installationPath);
    std::string file;
    if (!base.empty()) {
        file = HelpFilePath(base, session.Settings().languageName);
        if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
            file = HelpFilePath(base, "English");
    }
    HtmlHelpCloseAll();
    HtmlHelpDisplay(nullptr, file);
}

void CMainDlg::OnHelpRequest()
{
    HtmlHelpCloseAll();
    HtmlHelpDisplay(hwnd, HelpFilePath(session.Settings().installationPath, session.Settings().languageName));
}

void CMainDlg::SetUpMacAddresses()
{
    SetupApiAdapterRegistry adapters;
    const MacAddress filter =
        ApplyStartupMacAddresses(session.Driver(), adapters, [this](const std::string& line) { Trace(line); });
    session.SetFilterMacAddress(filter);
    if (CPidPage* page = tabControl.PidPage())
        page->ShowMacAddress(filter);
}

// Keyboard access to the pages. The tab control holds the pages as its
// children and is a control parent, so the dialog manager's Tab order runs
// through the shown page's controls but never stops on the tab strip itself;
// Ctrl+Tab and Ctrl+PgDn would reach the focused control (a combo box took
// Ctrl+PgDn as "last item") instead of switching pages.
namespace {

bool IsWithin(HWND ancestor, HWND window)
{
    return window != nullptr && (window == ancestor || IsChild(ancestor, window) != FALSE);
}

bool IsKeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

} // namespace

bool CMainDlg::PreTranslateMessage(const MSG& message)
{
    if (message.message != WM_KEYDOWN || !IsWithin(hwnd, message.hwnd))
        return false;
    const bool control = IsKeyDown(VK_CONTROL);
    const bool shift = IsKeyDown(VK_SHIFT);
    if (control && (message.wParam == VK_TAB || message.wParam == VK_NEXT || message.wParam == VK_PRIOR)) {
        const bool back = message.wParam == VK_PRIOR || (message.wParam == VK_TAB && shift);
        tabControl.ShowNextPage(back ? -1 : 1);
        return true;
    }
    if (message.wParam == VK_TAB && !control)
        return MoveFocusAroundTabStrip(shift);
    if (control && !shift && !IsKeyDown(VK_MENU) && message.wParam == kSignalWindowKey) {
        OpenSignalWindow();
        return true;
    }
    return false;
}

bool CMainDlg::MoveFocusAroundTabStrip(bool backwards)
{
    HWND tabs = Item(IDC_MAIN_TAB);
    HWND focus = GetFocus();
    if (tabs == nullptr || focus == nullptr || !IsWindowEnabled(tabs))
        return false;
    HWND page = nullptr;
    if (CTabPage* shown = tabControl.ShownPage())
        page = shown->GetSafeHwnd();
    HWND firstInPage = page != nullptr ? GetNextDlgTabItem(page, nullptr, FALSE) : nullptr;
    if (firstInPage != nullptr && !IsWithin(page, firstInPage))
        firstInPage = nullptr;

    HWND target = nullptr;
    if (focus == tabs) {
        // Forward into the page; backward to what comes before the strip.
        target = backwards ? GetNextDlgTabItem(hwnd, firstInPage != nullptr ? firstInPage : tabs, TRUE)
                           : firstInPage;
    } else {
        HWND next = GetNextDlgTabItem(hwnd, focus, backwards);
        const bool entering = !backwards && !IsWithin(tabs, focus) && IsWithin(tabs, next);
        const bool leaving = backwards && IsWithin(tabs, focus) && !IsWithin(tabs, next);
        if (entering || leaving)
            target = tabs;
    }
    if (target == nullptr)
        return false;
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    return true;
}
