// What keeps reception going unattended: the PIDs and the filter's address
// after a re-lock, the data watchdog over the statistics timer's readings,
// and sleep and resume.
#include "app/ReceiverSession.h"

namespace {
constexpr MessageRef kNoDataRelocked{"String90", "No data for {0} s: the card was tuned again."};

// The number put into a text of the language file by replacing its token, so
// that a translation is never used as a format.
std::string WithNumber(std::string text, long long number)
{
    const std::size_t token = text.find("{0}");
    if (token != std::string::npos)
        text.replace(token, 3, std::to_string(number));
    return text;
}
}   // namespace

void ReceiverSession::ReloadPids()
{
    if (pidPage != nullptr)
        pidPage->ReloadPids();
    if (refreshFilterMacAfterLock) {
        refreshFilterMacAfterLock = false;
        MacAddress sent = filterMac;
        Trace(gate.Driver().SetFilterMAC(sent.data()) == 0 ? "Set filter mac address Success!!\n"
                                                           : "Set filtermac address failed!!\n");
    }
    if (power.RestorePending() && !power.IsSuspended()) {
        power.Restored();
        restoreAttempts = 0;
        view.SetTimerRunning(SessionTimer::Restore, false, std::chrono::milliseconds(0));
        Trace("Resume: reception restored.\n");
    }
}

bool ReceiverSession::SetWatchdogTime(std::chrono::seconds time)
{
    watchdog.SetTime(time);
    return WriteDataWatchdog(*settingsKey.Open(true), time);
}

std::optional<StatsCounters> ReceiverSession::ReadStatistics(DataWatchdog::Clock::time_point now)
{
    std::optional<StatsCounters> counters;
    if (!SkipsTimerTurn(true) && pidPage != nullptr)
        counters = pidPage->RefreshStatistics();
    WatchdogConditions conditions;
    conditions.lockedToSelection = DisplaysLocked() && tuningChanged == 0;
    conditions.filterStarted = filterStarted != 0;
    conditions.acceptedPidLoaded = pidPage != nullptr && pidPage->HasLoadedPid();
    conditions.cardBusyElsewhere = dishDriving || scanRunning || relockOnReportedLock || power.RestorePending();
    const std::chrono::seconds waited = watchdog.CurrentWait();
    const bool stallGoesOn = watchdog.IsStalled();
    const std::optional<std::int64_t> packets = counters ? std::optional(counters->packetsReceived) : std::nullopt;
    switch (watchdog.OnReading(packets, conditions, now)) {
    case WatchdogVerdict::Watching: break;
    case WatchdogVerdict::DataAgain:
        Trace("Data watchdog: data arrives again.\n");
        view.RecordSignalEvent(SignalEvent::DataAgain);
        break;
    case WatchdogVerdict::Relock:
        Trace("Data watchdog: no data for " + std::to_string(waited.count()) + " s, the card is tuned again.\n");
        // One event and one balloon per stall, not one for each re-lock of its back-off.
        if (!stallGoesOn) {
            view.RecordSignalEvent(SignalEvent::NoData);
            view.ShowBalloon(WithNumber(view.Text(kNoDataRelocked), waited.count()));
        }
        refreshFilterMacAfterLock = true;
        LockCurrent(true);
        break;
    }
    return counters;
}

void ReceiverSession::Suspending(PowerCycle::Clock::time_point now)
{
    power.Suspending(now);
    for (SessionTimer timer :
         {SessionTimer::SignalPoll, SessionTimer::Statistics, SessionTimer::PidMac, SessionTimer::Restore})
        view.SetTimerRunning(timer, false, std::chrono::milliseconds(0));
    // Windows gives a sleeping program about two seconds: a busy card is left to finish.
    if (filterStarted != 0) {
        if (std::optional<DriverLease> lease = gate.TryLease()) {
            Trace(".....Stop Filter.....\n");
            Trace(gate.Driver().StopFilter() == 0 ? "Stop Filter Return Ok.\n" : "Stop Filter Return Fail.\n");
        }
        filterStarted = 0;
    }
    Trace("Suspend: polls and filter stopped.\n");
    view.RecordSignalEvent(SignalEvent::Sleep);
}

void ReceiverSession::Resumed(PowerCycle::Clock::time_point now)
{
    if (!power.Resumed(now))
        return;
    restoreAttempts = 0;
    Trace("Resume: reception is restored in 2 s.\n");
    view.RecordSignalEvent(SignalEvent::Resume);
    for (SessionTimer timer : {SessionTimer::SignalPoll, SessionTimer::Statistics, SessionTimer::PidMac})
        view.SetTimerRunning(timer, true, std::chrono::milliseconds(0));
    view.SetTimerRunning(SessionTimer::Restore, true, kResumeSettleTime);
}

void ReceiverSession::OnRestoreTimer(PowerCycle::Clock::time_point now)
{
    switch (power.RestoreStep(now)) {
    case PowerCycle::Restore::NotNow:
        view.SetTimerRunning(SessionTimer::Restore, false, std::chrono::milliseconds(0));
        return;
    case PowerCycle::Restore::WaitCard:
        Trace("Resume: waiting for the card to come back.\n");
        view.SetTimerRunning(SessionTimer::Restore, true, std::chrono::seconds(1));
        return;
    case PowerCycle::Restore::CardLost:
        view.SetTimerRunning(SessionTimer::Restore, false, std::chrono::milliseconds(0));
        Trace("Resume: the card did not come back: it is taken as removed.\n");
        view.CloseForRemoval();
        return;
    case PowerCycle::Restore::Now: break;
    }
    // As after a lost lock: the lock, the filter, the PIDs and the filter's
    // address; a card that does not answer is tried again with the data
    // watchdog's back-off.
    const std::chrono::seconds step = watchdog.IsOn() ? watchdog.Time() : kDefaultDataWatchdog;
    const int doublings = restoreAttempts < 4 ? restoreAttempts : 4;
    ++restoreAttempts;
    Trace("Resume: restoring reception (attempt " + std::to_string(restoreAttempts) + ").\n");
    view.SetTimerRunning(SessionTimer::Restore, true, step * (1 << doublings));
    if (lockingPage != nullptr)
        lockingPage->ForgetKeptResult();
    refreshFilterMacAfterLock = true;
    LockCurrent(true);
}
