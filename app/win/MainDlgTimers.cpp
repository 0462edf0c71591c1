// The main dialog's four timers: signal poll (502), start-up lock (503),
// reception counters (504) and the PID/MAC column (505).
#include "app/win/MainDlg.h"
#include "reception/win/PidPage.h"
#include "tuning/win/LockingPage.h"
#include "language/LanguageFile.h"
#include "tuning/LockWorker.h"

namespace {
constexpr UINT_PTR kSignalTimer = 502;
constexpr UINT_PTR kStartupLockTimer = 503;
constexpr UINT_PTR kStatisticsTimer = 504;
constexpr UINT_PTR kPidMacTimer = 505;
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
void CMainDlg::StopSignalTimer() { StopTimer(signalTimer); }
void CMainDlg::StartStatisticsTimer() { StartTimer(kStatisticsTimer, 2000, statisticsTimer); }
void CMainDlg::StopStatisticsTimer() { StopTimer(statisticsTimer); }
void CMainDlg::StartPidMacTimer() { StartTimer(kPidMacTimer, 10000, pidMacTimer); }
void CMainDlg::StopPidMacTimer() { StopTimer(pidMacTimer); }

void CMainDlg::OnTimer(UINT_PTR id)
{
    if (id == 0)
        return;
    if (id == signalTimer) {
        OnSignalPollTimer();
    } else if (id == startupLockTimer) {
        OnStartupLockTimer();
    } else if (id == statisticsTimer) {
        if (CPidPage* page = tabControl.PidPage())
            page->RefreshStatistics();
    } else if (id == pidMacTimer) {
        if (CPidPage* page = tabControl.PidPage())
            page->RefreshPidMacs();
    }
}

void CMainDlg::OnStartupLockTimer()
{
    if (initialLockPending) {
        StopSignalTimer();
        LockCurrent(false);
        initialLockPending = 0;
        StartSignalTimer();
    }
    StopTimer(startupLockTimer);
}

void CMainDlg::OnSignalPollTimer()
{
    // A silent lock's worker may still be inside the driver after the timer
    // was restarted: no poll reaches the card until it is done.
    if (!WaitForLockWorkers(std::chrono::milliseconds(0)))
        return;
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
