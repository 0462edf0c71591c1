#include "app/ReceiverSession.h"

#include "app/InstallPaths.h"
#include "app/UnreadDatabaseFile.h"
#include "common/CardKind.h"
#include "language/LanguageList.h"
#include "language/SystemText.h"
#include "tuning/LockSequence.h"
#include "tuning/MotorCommands.h"

namespace {
constexpr MessageRef kRestoreQuestion{"String26", "The App will restore settings and data, are you sure?"};
constexpr MessageRef kExitQuestion{"String25", "The App will exit,save current changed settings and data?"};
constexpr MessageRef kNotSaved{"String42", "The changes could not be saved."};
constexpr MessageRef kChannelDatabaseLabel{"String43", "Channel database:"};
constexpr MessageRef kSettingsLabel{"String44", "Settings:"};
constexpr MessageRef kCardBusy{
    "String130", "The card does not answer: it is still busy with an earlier command. Try again in a moment."};
constexpr MessageRef kCardNotAnswering{"String131", "The card does not answer."};
constexpr MessageRef kNoDataRelocked{"String90", "No data for {0} s: the card was tuned again."};
constexpr MessageRef kLockedElsewhere{"String85", "The card is locked to this, not to the selection. Lock Test tunes the selection."};

constexpr MessageRef kChangesKept{
    "String45", "The changes are kept. Close any program that uses the file, then save again with Apply or OK."};

// True when the database is in its file. Without a database (its file name
// did not fit the path limit) there is nothing that could be lost.
bool SaveChannels(CChannelDatabase& database)
{
    return database.Save() != 0 || database.Root() == nullptr;
}
}  // namespace

ReceiverSession::ReceiverSession(ReceiverDriver& card, ReceiverView& view, std::chrono::milliseconds cardWait)
    : gate(card, cardWait), view(view)
{
}

bool ReceiverSession::AwaitCard()
{
    if (gate.WaitUntilFree(gate.CallWait()))
        return true;
    ReportCardBusy();
    return false;
}

void ReceiverSession::ReportCardBusy()
{
    view.Trace("The command was refused: the card is still busy with an earlier call.\n");
    view.ShowError(view.Text(kCardBusy));
}

void ReceiverSession::CheckCardAnswers()
{
    // Only a tune can hold the card that long: every other call is one
    // command of the user-interface thread.
    const std::optional<CallInFlight> call = gate.CurrentCall();
    const bool answering = !call || call->name != "LockChannel3" || call->elapsed <= gate.CallWait();
    if (answering == cardAnswering)
        return;
    cardAnswering = answering;
    if (!answering)
        view.Trace("The card does not answer: LockChannel3 has not returned for " +
                   std::to_string(call->elapsed.count()) + " ms.\n");
    ShowLockNote();
}

void ReceiverSession::DishMoved()
{
    lockedTarget.reset();
    relockOnReportedLock = true;
    ShowLockDisplay();
}

bool ReceiverSession::ShouldRelockSilently(bool monitorAsks, bool cardReportsLock)
{
    // A hold button drives the dish, a scan has the card, or a resume's
    // restore is still to come.
    if (dishDriving || scanRunning || power.RestorePending())
        return false;
    if (cardReportsLock && relockOnReportedLock) {
        relockOnReportedLock = false;
        return true;
    }
    return monitorAsks;
}

namespace {
// The number put into a text of the language file by replacing its token, so
// that a translation is never used as a format.
std::string WithNumber(std::string text, long long number)
{
    const std::size_t token = text.find("{0}");
    if (token != std::string::npos)
        text.replace(token, 3, std::to_string(number));
    return text;
}
}  // namespace

void ReceiverSession::ReloadPids()
{
    view.ReloadPids();
    if (refreshFilterMacAfterLock) {
        refreshFilterMacAfterLock = false;
        MacAddress sent = filterMac;
        view.Trace(gate.Driver().SetFilterMAC(sent.data()) == 0 ? "Set filter mac address Success!!\n"
                                                                  : "Set filtermac address failed!!\n");
    }
    if (power.RestorePending() && !power.IsSuspended()) {
        power.Restored();
        restoreAttempts = 0;
        view.StopRestoreTimer();
        view.Trace("Resume: reception restored.\n");
    }
}

void ReceiverSession::OnStatisticsReading(std::optional<std::int64_t> packetsReceived, bool acceptedPidLoaded,
                                          DataWatchdog::Clock::time_point now)
{
    WatchdogConditions conditions;
    conditions.lockedToSelection = DisplaysLocked() && tuningChanged == 0;
    conditions.filterStarted = filterStarted != 0;
    conditions.acceptedPidLoaded = acceptedPidLoaded;
    conditions.cardBusyElsewhere = dishDriving || scanRunning || relockOnReportedLock || power.RestorePending();
    const std::chrono::seconds waited = watchdog.CurrentWait();
    switch (watchdog.OnReading(packetsReceived, conditions, now)) {
    case WatchdogVerdict::Watching:
        break;
    case WatchdogVerdict::DataAgain:
        view.Trace("Data watchdog: data arrives again.\n");
        view.RecordSignalEvent(SignalEvent::DataAgain);
        break;
    case WatchdogVerdict::Relock:
        view.Trace("Data watchdog: no data for " + std::to_string(waited.count()) +
                   " s, the card is tuned again.\n");
        view.RecordSignalEvent(SignalEvent::NoData);
        view.ShowBalloon(WithNumber(view.Text(kNoDataRelocked), waited.count()));
        refreshFilterMacAfterLock = true;
        view.LockCurrent(true);
        break;
    }
}

void ReceiverSession::Suspending(PowerCycle::Clock::time_point now)
{
    power.Suspending(now);
    view.StopSignalTimer();
    view.StopStatisticsTimer();
    view.StopPidMacTimer();
    view.StopRestoreTimer();
    // Windows gives a sleeping program about two seconds: a busy card is left to finish.
    if (filterStarted != 0) {
        if (std::optional<DriverLease> lease = gate.TryLease()) {
            view.Trace(".....Stop Filter.....\n");
            view.Trace(gate.Driver().StopFilter() == 0 ? "Stop Filter Return Ok.\n" : "Stop Filter Return Fail.\n");
        }
        filterStarted = 0;
    }
    view.Trace("Suspend: polls and filter stopped.\n");
    view.RecordSignalEvent(SignalEvent::Sleep);
}

void ReceiverSession::Resumed(PowerCycle::Clock::time_point now)
{
    if (!power.Resumed(now))
        return;
    restoreAttempts = 0;
    view.Trace("Resume: reception is restored in 2 s.\n");
    view.RecordSignalEvent(SignalEvent::Resume);
    view.StartSignalTimer();
    view.StartStatisticsTimer();
    view.StartPidMacTimer();
    view.StartRestoreTimer(kResumeSettleTime);
}

void ReceiverSession::OnRestoreTimer(PowerCycle::Clock::time_point now)
{
    switch (power.RestoreStep(now)) {
    case PowerCycle::Restore::NotNow:
        view.StopRestoreTimer();
        return;
    case PowerCycle::Restore::WaitCard:
        view.Trace("Resume: waiting for the card to come back.\n");
        view.StartRestoreTimer(std::chrono::seconds(1));
        return;
    case PowerCycle::Restore::CardLost:
        view.StopRestoreTimer();
        view.Trace("Resume: the card did not come back: it is taken as removed.\n");
        view.CloseForRemoval();
        return;
    case PowerCycle::Restore::Now:
        break;
    }
    // As after a lost lock: the lock, the filter, the PIDs and the filter's
    // address; a card that does not answer is tried again with the data
    // watchdog's back-off.
    const std::chrono::seconds step = watchdog.IsOn() ? watchdog.Time() : kDefaultDataWatchdog;
    const int doublings = restoreAttempts < 4 ? restoreAttempts : 4;
    ++restoreAttempts;
    view.Trace("Resume: restoring reception (attempt " + std::to_string(restoreAttempts) + ").\n");
    view.StartRestoreTimer(step * (1 << doublings));
    view.ForgetKeptLock();
    refreshFilterMacAfterLock = true;
    view.LockCurrent(true);
}

void ReceiverSession::ShowLockNote()
{
    std::string note;
    if (!cardAnswering)
        note = view.Text(kCardNotAnswering);
    else if (LockedElsewhere(lastLockResult, lockedTarget, CurrentLockTarget(database)))
        note = lockedTargetText + "\n" + view.Text(kLockedElsewhere);
    if (note == shownNote)
        return;
    shownNote = note;
    view.Trace("Lock note: " + (note.empty() ? std::string("none") : note) + "\n");
    view.ShowLockNote(note);
}

bool ReceiverSession::ShutDownDriver(const std::function<void()>& traceEnd, std::chrono::milliseconds wait)
{
    std::optional<DriverLease> lease = gate.Lease(wait);
    if (!lease) {
        const std::optional<CallInFlight> call = gate.CurrentCall();
        view.Trace(std::string(call ? call->name : "A driver call") +
                   " has not returned: nothing more is sent to the card.\n");
        traceEnd();
        gate.Close();
        return false;
    }
    ReceiverDriver& card = gate.Driver();
    if (dishDriving) {
        StopMotorTwice(card, SleepFor);
        dishDriving = false;
    }
    if (filterStarted != 0) {
        view.Trace(".....Stop Filter.....\n");
        if (card.StopFilter() == 0) {
            view.Trace("Stop Filter Return Ok.\n");
            filterStarted = 0;
        } else {
            view.Trace("Stop Filter Return Fail.\n");
        }
    }
    traceEnd();
    card.SetDiseCom1(0, 0, 0, 0);
    card.ReleaseDise();
    gate.Close();
    return true;
}

void ReceiverSession::LoadDatabase()
{
    database.LoadFile(DatabaseFilePath(settings.installationPath, deviceKind));
}

void ReceiverSession::SetTuningChanged(int changed)
{
    tuningChanged = changed;
    if (changed == 0) {
        const LockTarget target = CurrentLockTarget(database);
        // The last result was another target's: nothing is known of this one yet.
        if (lockedTarget != target)
            lastLockResult = kResultUnknown;
        lockedTarget = target;
        lockedTargetText = LockTargetText(database, IsSatelliteCard(deviceKind));
    }
    ShowLockDisplay();
}

void ReceiverSession::ShowLockState(int result)
{
    locked = result == 0 ? 1 : 0;
    lastLockResult = result;
    ShowLockDisplay();
}

bool ReceiverSession::DisplaysLocked() const
{
    return ::DisplaysLocked(lastLockResult, lockedTarget, CurrentLockTarget(database));
}

void ReceiverSession::ShowLockDisplay()
{
    view.ShowLockDisplay(DisplaysLocked());
    ShowLockNote();
}

void ReceiverSession::SetPendingChanges(bool pending)
{
    pendingChanges = pending;
    view.EnableApply(pending);
}

void ReceiverSession::MarkSettingsChanged(int setFlag)
{
    SetPendingChanges(true);
    if (setFlag != 0)
        settingsChanged = 1;
    ShowLockDisplay();   // an edit may have changed what a lock would tune to
}

void ReceiverSession::ApplyEffects(const MainDialogEffects& effects)
{
    if (effects.setTuningChanged)
        SetTuningChanged(1);
    if (effects.refreshPages)
        RefreshPages();
    if (effects.markSettingsChanged)
        MarkSettingsChanged(1);
}

void ReceiverSession::RefreshPages()
{
    view.RefreshPages();
    ShowLockDisplay();
}

void ReceiverSession::ShowWaitDialog()
{
    view.ShowWaitDialog(MessageRef{kLockWaitMessageKey, LockWaitFallbackText(LockKindOf(deviceKind))});
}

bool ReceiverSession::SaveMotorSettings()
{
    return !IsSatelliteCard(deviceKind) || view.SaveMotorSettings();
}

bool ReceiverSession::RelockIfNeeded()
{
    const bool motorSaved = SaveMotorSettings();
    if (locked == 0 || (pendingChanges && settingsChanged != 0))
        view.LockCurrent(false);
    return motorSaved;
}

bool ReceiverSession::SaveChanges(bool motorSaved)
{
    if (!MayReplaceUnreadDatabaseFile(database, view))
        return false;   // the user keeps the file: nothing is saved, the changes stay pending
    const bool channelsSaved = SaveChannels(database);
    const bool settingsSaved = view.SaveSettings() && motorSaved;
    if (channelsSaved && settingsSaved)
        return true;
    // The old file stays and the changes stay in memory: Apply stays on, so
    // that they can be saved again and Exit still asks before they go.
    std::string text = view.Text(kNotSaved) + "\n";
    if (!channelsSaved)
        text += "\n" + view.Text(kChannelDatabaseLabel) + "\n" + AnsiToUtf8(database.FilePath()) + "\n";
    if (!settingsSaved)
        text += "\n" + view.Text(kSettingsLabel) + "\n" + AnsiToUtf8(view.SettingsKeyName()) + "\n";
    text += "\n" + view.Text(kChangesKept);
    view.ShowError(text);
    return false;
}

bool ReceiverSession::Apply()
{
    const bool motorSaved = RelockIfNeeded();
    if (const SatelliteRecord* satellite = database.CurrentSatellite())
        settings.currentDegree = satellite->degree;
    const bool saved = SaveChanges(motorSaved);
    settingsChanged = 0;
    SetPendingChanges(!saved);
    return saved;
}

bool ReceiverSession::Ok()
{
    const bool motorSaved = RelockIfNeeded();
    const bool saved = SaveChanges(motorSaved);
    settingsChanged = 0;
    if (!saved)
        return false;   // the dialog stays, with Apply on, so nothing looks saved that is not
    view.HideToTray();
    SetPendingChanges(false);
    return true;
}

bool ReceiverSession::RunExitQuestion()
{
    if (!view.AskYesNo(kExitQuestion))
        return true;
    return SaveChanges(SaveMotorSettings());
}

bool ReceiverSession::SaveWithoutAsking()
{
    const bool motorSaved = SaveMotorSettings();
    // Save leaves a file that could not be read whole alone unless the user allowed replacing it.
    const bool channelsSaved = SaveChannels(database);
    const bool saved = view.SaveSettings() && motorSaved && channelsSaved;
    if (saved)
        SetPendingChanges(false);
    return saved;
}

bool ReceiverSession::Restore()
{
    if (!view.AskYesNo(kRestoreQuestion))
        return false;
    const MainSettings left = settings;
    view.LoadSettings();
    // A language chosen since the last save is left here: its copy goes.
    if (left.languageName != settings.languageName || left.installationPath != settings.installationPath)
        DeleteTemporaryLanguageFile(left.installationPath, left.languageName);
    SetPendingChanges(false);
    LoadDatabase();
    view.FillSatelliteList();
    view.FillLanguageList();
    RefreshPages();
    // The card stays tuned to what Restore may have taken away: the restored
    // selection is locked, silently, as at start-up.
    if (lockedTarget && *lockedTarget != CurrentLockTarget(database))
        view.LockCurrent(true);
    ReportUnreadDatabaseFile(database, view);
    return true;
}
