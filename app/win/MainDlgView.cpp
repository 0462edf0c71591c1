// The window side of the receiver session: the lock icon, level bars and
// percentages, the four timers (signal poll 502, start-up lock 503,
// reception counters 504, PID/MAC column 505), the settings in the registry
// and the banner.
#include "app/win/MainDlg.h"

#include "app/InstallPaths.h"
#include "app/win/DiagnosticLog.h"
#include "app/win/MainFrame.h"
#include "app/win/ProgramFolder.h"
#include "app/win/RegistryKey.h"
#include "framework/MessageBox.h"
#include "language/LanguageFile.h"
#include "reception/win/PidPage.h"
#include "resources/resource.h"
#include "tuning/win/DishPage.h"

namespace {
RECT ToRect(const BarRect& bar)
{
    return RECT{bar.left, bar.top, bar.right, bar.bottom};
}

BarRect ToBarRect(const RECT& rect)
{
    return BarRect{rect.left, rect.top, rect.right, rect.bottom};
}

RECT ChildRectInClient(HWND dialog, int id)
{
    RECT rect{};
    HWND child = GetDlgItem(dialog, id);
    if (child == nullptr)
        return rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
}

void CMainDlg::ShowLockDisplay(bool shown)
{
    HICON stateIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LockIconId(shown ? 0 : 1)));
    lockIcon.ShowIcon(stateIcon);
    if (frame != nullptr)
        frame->SetTrayLockIcon(shown);
    if (shown != lockDisplayed) {
        lockDisplayed = shown;
        InvalidateRect(hwnd, &strengthRect, TRUE);
        InvalidateRect(hwnd, &qualityRect, TRUE);
        // At once: a lock's wait keeps this thread from painting for seconds.
        UpdateWindow(lockIcon.Handle());
        UpdateWindow(hwnd);
    }
}

void CMainDlg::ShowLockNote(const std::string& note)
{
    if (note == lockIconTip.Tip())
        return;
    lockIconTip.SetTip(hwnd, IDC_MAIN_LOCK_ICON, ChildRectInClient(hwnd, IDC_MAIN_LOCK_ICON), note);
    if (frame != nullptr)
        frame->SetTrayNote(note);
}

void CMainDlg::ShowSignal(const SignalReading& reading)
{
    SignalContext context;
    context.hasCurrentTransponder = session.Database().CurrentTransponder() != nullptr;
    context.filterStarted = session.IsFilterStarted();
    context.deviceType = [this] { return session.Driver().GetDeviceType(); };
    const SignalDisplay display = signalMonitor.Show(reading, context);

    if (display.lockState) {
        // A lost lock: what was kept of the last lock no longer counts.
        if (*display.lockState != 0)
            if (CLockingPage* page = tabControl.LockingPage())
                page->ForgetKeptResult();
        session.ShowLockState(*display.lockState);
    }
    if (!display.trace.empty())
        Trace(display.trace);
    if (session.ShouldRelockSilently(display.relock, reading.lockValue > 0))
        RelockSilently();
    UpdateBar(strengthBar.get(), strengthRect, display.strengthPercent, IDC_MAIN_STRENGTH_TEXT);
    UpdateBar(qualityBar.get(), qualityRect, display.qualityPercent, IDC_MAIN_QUALITY_TEXT);
    signalWindow.Record(reading, display.lockCounted, session.LockedTarget());
}

void CMainDlg::UpdateBar(CLevelBar* bar, const RECT& outer, int percent, int textId)
{
    const RECT fill = ToRect(BarFillRect(ToBarRect(outer), percent));
    if (bar != nullptr)
        bar->SetRects(outer, fill);
    InvalidateRect(hwnd, &outer, TRUE);
    SetItemText(textId, PercentText(percent));
}

void CMainDlg::CreateLevelBars()
{
    strengthRect = ChildRectInClient(hwnd, IDC_MAIN_STRENGTH_BAR);
    qualityRect = ChildRectInClient(hwnd, IDC_MAIN_QUALITY_BAR);
    strengthBar = std::make_unique<CLevelBar>();
    if (!strengthBar->Create(hwnd, strengthRect))
        strengthBar.reset();
    qualityBar = std::make_unique<CLevelBar>();
    if (!qualityBar->Create(hwnd, qualityRect))
        qualityBar.reset();
    ShowLevelBarTips();
}

void CMainDlg::ShowLevelBarTips()
{
    const std::string tip = Text("String67", "Signal...") + " (" + kSignalWindowKeyName + ")";
    for (CLevelBar* bar : {strengthBar.get(), qualityBar.get()})
        if (bar != nullptr)
            bar->SetTip(tip);
}

bool CMainDlg::OnPaint()
{
    if (IsIconic(hwnd)) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client{};
        GetClientRect(hwnd, &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon);
        EndPaint(hwnd, &paint);
        return true;
    }
    const BarColour colour = LevelBarColour(lockDisplayed);
    const COLORREF rgb = RGB(colour.red, colour.green, colour.blue);
    if (strengthBar)
        strengthBar->Draw(rgb);
    if (qualityBar)
        qualityBar->Draw(rgb);
    return false;   // the dialog paints itself as usual
}

namespace {
constexpr UINT kSignalPollPeriod = 2000;
// While the signal window is open, for a plot fine enough to align a dish by.
constexpr UINT kFastSignalPollPeriod = 500;
}

void CMainDlg::StartTimer(UINT_PTR id, UINT period, UINT_PTR& field)
{
    field = SetTimer(hwnd, id, period, nullptr);
}

void CMainDlg::StopTimer(UINT_PTR& field)
{
    if (field == 0)
        return;
    KillTimer(hwnd, field);
    field = 0;
}

void CMainDlg::StartSignalTimer()
{
    StartTimer(kSignalTimer, signalWindow.IsOpen() ? kFastSignalPollPeriod : kSignalPollPeriod, signalTimer);
}

// A poll stopped around a lock or motor command stays stopped: its restart
// takes the period that applies then.
void CMainDlg::UpdateSignalPollPeriod()
{
    if (signalTimer != 0)
        StartSignalTimer();
}
void CMainDlg::SetDataWatchdogTime(std::chrono::seconds time)
{
    session.SetWatchdogTime(time);
    if (!WriteDataWatchdog(*settingsKey.Open(true), time))
        Trace("The data watchdog's time could not be stored.\n");
}

void CMainDlg::StopSignalTimer() { StopTimer(signalTimer); }
void CMainDlg::StartStatisticsTimer() { StartTimer(kStatisticsTimer, 2000, statisticsTimer); }
void CMainDlg::StopStatisticsTimer() { StopTimer(statisticsTimer); }
void CMainDlg::StartPidMacTimer() { StartTimer(kPidMacTimer, 10000, pidMacTimer); }
void CMainDlg::StopPidMacTimer() { StopTimer(pidMacTimer); }

void CMainDlg::RelockSilently()
{
    if (initialising)
        startupRelockPending = true;
    else
        LockCurrent(true);
}

void CMainDlg::OnLockWorkerDone(std::uint32_t run)
{
    if (CLockingPage* page = tabControl.LockingPage())
        page->OnLockWorkerDone(run);
}

void CMainDlg::OnTimer(UINT_PTR id)
{
    if (id == 0)
        return;
    // A timer's read skips its turn while a tune, a command or a scan holds
    // the card, and the texts it fills keep their last values.
    const bool periodicRead = id != startupLockTimer && id != restoreTimer && id != initRetryTimer;
    if (session.SkipsTimerTurn(periodicRead)) {
        if (id == signalTimer)
            session.CheckCardAnswers();
        if (id == statisticsTimer)
            OnStatisticsReading(std::nullopt);
        return;
    }
    if (id == signalTimer) {
        OnSignalPollTimer();
    } else if (id == startupLockTimer) {
        OnStartupLockTimer();
    } else if (id == initRetryTimer) {
        StopTimer(initRetryTimer);
        StartReceiver();
    } else if (id == restoreTimer) {
        session.OnRestoreTimer(std::chrono::steady_clock::now());
    } else if (id == statisticsTimer) {
        if (CPidPage* page = tabControl.PidPage()) {
            const std::optional<StatsCounters> counters = page->RefreshStatistics();
            signalWindow.RecordCounters(counters);
            OnStatisticsReading(counters);
        }
    } else if (id == pidMacTimer) {
        if (CPidPage* page = tabControl.PidPage())
            page->RefreshPidMacs();
    }
}

void CMainDlg::OnStatisticsReading(const std::optional<StatsCounters>& counters)
{
    const CPidPage* page = tabControl.PidPage();
    session.OnStatisticsReading(counters ? std::optional<std::int64_t>(counters->packetsReceived) : std::nullopt,
                                page != nullptr && page->HasLoadedPid(), std::chrono::steady_clock::now());
}

void CMainDlg::StartRestoreTimer(std::chrono::milliseconds delay)
{
    StartTimer(kRestoreTimer, static_cast<UINT>(delay.count()), restoreTimer);
}

void CMainDlg::StopRestoreTimer()
{
    StopTimer(restoreTimer);
}

void CMainDlg::ForgetKeptLock()
{
    if (CLockingPage* page = tabControl.LockingPage())
        page->ForgetKeptResult();
}

void CMainDlg::CloseForRemoval()
{
    if (frame != nullptr)
        frame->RequestClose(CloseRequest::ReceiverRemoved);
}

void CMainDlg::ShowBalloon(const std::string& text)
{
    if (frame != nullptr)
        frame->ShowTrayBalloon(text);
}

void CMainDlg::OnShowWindow(bool shown)
{
    if (shown && unreadReportWaits) {
        unreadReportWaits = false;
        PostMessageA(hwnd, kReportUnreadDatabaseMessage, 0, 0);
    }
}

void CMainDlg::OnStartupLockTimer()
{
    if (initialLockPending) {
        StopSignalTimer();
        // The silent lock the first reading started has locked these very
        // records already (a worker still tuning is joined by the lock).
        CLockingPage* page = tabControl.LockingPage();
        if (!(startupRelockRan && page != nullptr && page->HasLocked()))
            LockCurrent(false);
        initialLockPending = 0;
        StartSignalTimer();
    }
    StopTimer(startupLockTimer);
}

void CMainDlg::OnSignalPollTimer()
{
    session.CheckCardAnswers();
    if (const std::optional<SignalReading> reading = ReadSignal(session.Driver()))
        ShowSignal(*reading);
}

void CMainDlg::LockCurrent(bool silent)
{
    if (CLockingPage* page = tabControl.LockingPage())
        page->Lock(silent ? 1 : 0);
}

void CMainDlg::ShowWaitDialog(const MessageRef& text)
{
    CLockingPage* page = tabControl.LockingPage();
    if (page == nullptr)
        return;
    // In the page's language, which a language file that failed to load has not replaced.
    waitDialog = std::make_unique<CLockWaitDlg>();
    if (!waitDialog->Open(page->GetSafeHwnd(), Message(page->LanguageFile(), text.key, text.english)))
        waitDialog.reset();
}

void CMainDlg::ReloadPids()
{
    if (CPidPage* page = tabControl.PidPage())
        page->ReloadPids();
}

void CMainDlg::CopyInstallPath()
{
    CRegistryKey machineKey;
    machineKey.Open(HKEY_LOCAL_MACHINE, kSettingsKeyPath, KEY_READ);
    CRegistryKey userKey;
    userKey.Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_WRITE);
    ::CopyInstallationPath(machineKey, userKey, session.Settings());
}

void CMainDlg::LoadSettings()
{
    CRegistryKey key;
    key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_READ);
    ::LoadSettings(key, session.GetDeviceKind(), ProgramFolder(), session.Settings());
}

bool CMainDlg::SaveSettings()
{
    CRegistryKey key;
    const bool opened = key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_WRITE) == ERROR_SUCCESS;
    return ::SaveSettings(key, session.GetDeviceKind(), session.Database(), session.Settings()) && opened;
}

std::string CMainDlg::SettingsKeyName() const
{
    const char* hive = SettingsRootKey() == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
    return hive + std::string(kSettingsKeyPath);
}

void CMainDlg::LoadBanner()
{
    const std::string file = InstallFilePath(session.Settings().installationPath, "Main.bmp");
    if (file.empty())
        return;
    HANDLE image = LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (image == nullptr)
        return;   // the built-in banner stays
    bannerBitmap = static_cast<HBITMAP>(image);
    bannerPicture.SetBitmap(bannerBitmap);
}

void CMainDlg::EnableApply(bool enabled)
{
    EnableItem(IDC_MAIN_APPLY, enabled);
    if (frame != nullptr)
        frame->ShowPendingChanges(enabled);
}

void CMainDlg::HideToTray()
{
    Show(SW_HIDE);
    if (frame != nullptr)
        frame->SetVisibleFlag(0);
}

bool CMainDlg::SaveMotorSettings()
{
    CDishPage* dish = tabControl.DishPage();
    return dish == nullptr || dish->SaveMotorSettings();
}

bool CMainDlg::AskYesNo(const MessageRef& question)
{
    return ::AskYesNo(hwnd, Text(question));
}

bool CMainDlg::AskYesNoText(const std::string& question)
{
    return ::AskYesNo(hwnd, question);
}

void CMainDlg::ShowError(const std::string& text)
{
    ShowErrorMessage(hwnd, text);
}

void CMainDlg::Trace(const std::string& line)
{
    WriteDiagnosticTrace(line);
}

void CMainDlg::DebugOutput(const std::string& line)
{
    OutputDebugStringA(line.c_str());
}
