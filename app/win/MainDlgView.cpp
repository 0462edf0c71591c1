// The window side of the receiver session: the lock and signal display, the
// timers, the wait dialog, the messages, the lists and the language.
#include "app/win/MainDlg.h"

#include "framework/MessageBox.h"
#include "language/LanguageFile.h"
#include "language/win/DialogLanguage.h"
#include "resources/resource.h"
#include "tuning/win/LockingPage.h"

namespace {
constexpr UINT kSignalPollPeriod = 2000;
// While the signal window is open, for a plot fine enough to align a dish by.
constexpr UINT kFastSignalPollPeriod = 500;
constexpr UINT kStatisticsPeriod = 2000;
constexpr UINT kPidMacPeriod = 10000;

UINT_PTR TimerId(SessionTimer timer)
{
    switch (timer) {
    case SessionTimer::SignalPoll: return kSignalTimer;
    case SessionTimer::Statistics: return kStatisticsTimer;
    case SessionTimer::PidMac: return kPidMacTimer;
    case SessionTimer::Restore: break;
    }
    return kRestoreTimer;
}
}   // namespace

void CMainDlg::ShowLockDisplay(const LockDisplayState& state)
{
    signalDisplay.ShowLock(state);
    owner.ShowTrayLock(state.locked, state.note);
}

void CMainDlg::EnableApply(bool enabled)
{
    EnableItem(IDC_MAIN_APPLY, enabled);
    owner.ShowPendingChanges(enabled);
}

void CMainDlg::SetTimerRunning(SessionTimer timer, bool running, std::chrono::milliseconds delay)
{
    const UINT_PTR id = TimerId(timer);
    if (!running) {
        StopTimer(id);
        return;
    }
    UINT period = static_cast<UINT>(delay.count());
    if (period == 0)
        period = timer == SessionTimer::SignalPoll ? (signalWindow.IsOpen() ? kFastSignalPollPeriod : kSignalPollPeriod)
                 : timer == SessionTimer::Statistics ? kStatisticsPeriod
                                                     : kPidMacPeriod;
    StartTimer(id, period);
}

void CMainDlg::StartTimer(UINT_PTR id, UINT period)
{
    SetTimer(hwnd, id, period, nullptr);
    runningTimers |= 1u << (id - kSignalTimer);
}

void CMainDlg::StopTimer(UINT_PTR id)
{
    if ((runningTimers & (1u << (id - kSignalTimer))) == 0)
        return;
    KillTimer(hwnd, id);
    runningTimers &= ~(1u << (id - kSignalTimer));
}

// A poll stopped around a lock or motor command stays stopped: its restart
// takes the period that applies then.
void CMainDlg::UpdateSignalPollPeriod()
{
    if ((runningTimers & (1u << (kSignalTimer - kSignalTimer))) != 0)
        SetTimerRunning(SessionTimer::SignalPoll, true, std::chrono::milliseconds(0));
}

void CMainDlg::OnTimer(UINT_PTR id)
{
    const auto now = std::chrono::steady_clock::now();
    switch (id) {
    case kSignalTimer: OnSignalPoll(); break;
    case kStartupLockTimer:
        StopTimer(kStartupLockTimer);
        // Started with Windows, the dialog is hidden: nobody waits for the lock.
        session.RunStartupLock(!IsWindowVisible(hwnd));
        PrepareWaitDialog();
        break;
    case kStatisticsTimer: signalWindow.RecordCounters(session.ReadStatistics(now)); break;
    case kPidMacTimer:
        if (!session.SkipsTimerTurn(true))
            session.RefreshPidMacs();
        break;
    case kRestoreTimer: session.OnRestoreTimer(now); break;
    case kInitRetryTimer:
        StopTimer(kInitRetryTimer);
        StartReceiver();
        break;
    default: break;
    }
}

void CMainDlg::OnSignalPoll()
{
    const std::optional<SignalPoll> poll = session.PollSignal();
    if (!poll)
        return;
    signalDisplay.ShowPercentages(poll->display.strengthPercent, poll->display.qualityPercent);
    signalWindow.Record(poll->reading, poll->display.lockCounted, session.LockedTarget());
}

// Made once the dialog is up, so that neither the start-up nor the first Lock Test waits for it.
void CMainDlg::PrepareWaitDialog()
{
    if (CLockingPage* page = tabControl.LockingPage())
        waitDialog.Prepare(page->GetSafeHwnd());
}

void CMainDlg::ShowWaitDialog(const MessageRef* text)
{
    CLockingPage* page = tabControl.LockingPage();
    if (text == nullptr || page == nullptr) {
        waitDialog.Close();
        return;
    }
    // In the page's language, which a language file that failed to load has not replaced.
    waitDialog.Open(page->GetSafeHwnd(), Message(page->LanguageFile(), text->key, text->english));
}

bool CMainDlg::Ask(const std::string& question) { return AskYesNo(hwnd, question); }

void CMainDlg::Tell(const std::string& error)
{
    if (shownOnce)
        ShowErrorMessage(hwnd, error);
    else
        waitingMessages.push_back(error);
}

void CMainDlg::Refresh(unsigned parts)
{
    if ((parts & kSatelliteListPart) != 0)
        satelliteList.Fill();
    if ((parts & kAddedSatellitesPart) != 0)
        satelliteList.ShowAdded();
    if ((parts & kLanguageListPart) != 0)
        languageChoice.Fill();
    if ((parts & kPagesPart) != 0)
        tabControl.RefreshPages();
}

std::string CMainDlg::Text(const char* key, const char* english) const
{
    return Message(AppliedLanguageFile(), key, english);
}

void CMainDlg::ApplyLanguage(const std::string& file)
{
    ShowBarTips();
    signalWindow.ApplyLanguage();
    if (ApplyDialogLanguage(hwnd, file, MainDialogLanguageKeys(session.GetDeviceKind()), Item(IDC_MAIN_TAB)))
        tabControl.ApplyLanguage(file);
}

void CMainDlg::ShowBarTips()
{
    signalDisplay.SetBarTips(Text("String67", "Signal...") + " (" + kSignalWindowKeyName + ")");
}
