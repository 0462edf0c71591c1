// The shared state, the lock display and the buttons' sequences with the
// settings and the database they load and save.
#include "app/ReceiverSession.h"

#include "app/InstallPaths.h"
#include "common/CardKind.h"
#include "common/FileIo.h"
#include "language/LanguageList.h"
#include "language/SystemText.h"
#include "tuning/LockSequence.h"

namespace {
constexpr MessageRef kRestoreQuestion{"String26", "The App will restore settings and data, are you sure?"};
constexpr MessageRef kExitQuestion{"String25", "The App will exit,save current changed settings and data?"};
constexpr MessageRef kNotSaved{"String42", "The changes could not be saved."};
constexpr MessageRef kChannelDatabaseLabel{"String43", "Channel database:"};
constexpr MessageRef kSettingsLabel{"String44", "Settings:"};
constexpr MessageRef kChangesKept{
    "String45", "The changes are kept. Close any program that uses the file, then save again with Apply or OK."};
constexpr MessageRef kCardNotAnswering{"String131", "The card does not answer."};
constexpr MessageRef kLockedElsewhere{
    "String85", "The card is locked to this, not to the selection. Lock Test tunes the selection."};
constexpr MessageRef kNotReadWhole{"String74", "The channel database could not be read whole when it was loaded:"};
constexpr MessageRef kListIncomplete{
    "String75", "The list shown is incomplete: another program is using the file, or the file is damaged. The file is "
                "not replaced without asking you. Once the file is free, Restore reads it again."};
constexpr MessageRef kReplaceQuestion{"String76", "Replace it with the list shown? The file as it is now is kept as:"};
constexpr MessageRef kNoKeepsTheFile{"String77", "No keeps the file as it is, and the changes stay unsaved."};

// True when the database is in its file. Without a database (its file name
// did not fit the path limit) there is nothing that could be lost.
bool SaveChannels(CChannelDatabase& database) { return database.Save() != 0 || database.Root() == nullptr; }
}   // namespace

ReceiverSession::ReceiverSession(ReceiverDriver& card, ReceiverView& view, SettingsKeyOpener& settingsKey,
                                 TextSink trace, TextSink debugOutput, std::chrono::milliseconds cardWait)
    : gate(card, cardWait), view(view), settingsKey(settingsKey), trace(std::move(trace)),
      debugOutput(std::move(debugOutput))
{
}

void ReceiverSession::LoadSettings(const std::string& folder)
{
    programFolder = folder;
    ::LoadSettings(*settingsKey.Open(false), deviceKind, programFolder, settings);
}

bool ReceiverSession::SaveSettings() { return ::SaveSettings(*settingsKey.Open(true), deviceKind, database, settings); }

void ReceiverSession::LoadDatabase() { database.LoadFile(DatabaseFilePath(settings.installationPath, deviceKind)); }

void ReceiverSession::SetTimerRunning(SessionTimer timer, bool running)
{
    view.SetTimerRunning(timer, running, std::chrono::milliseconds(0));
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
        // The names are in the system's code page; the note joins texts in UTF-8.
        lockedTargetText = AnsiToUtf8(LockTargetText(database, IsSatelliteCard(deviceKind)));
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
    LockDisplayState state{DisplaysLocked(), std::string()};
    if (!cardAnswering)
        state.note = view.Text(kCardNotAnswering);
    else if (LockedElsewhere(lastLockResult, lockedTarget, CurrentLockTarget(database)))
        state.note = lockedTargetText + "\n" + view.Text(kLockedElsewhere);
    if (state.note != shownLock.note)
        Trace("Lock note: " + (state.note.empty() ? std::string("none") : state.note) + "\n");
    shownLock = state;
    view.ShowLockDisplay(state);
}

void ReceiverSession::ShowWaitDialog(bool shown)
{
    const MessageRef text{kLockWaitMessageKey, LockWaitFallbackText(LockKindOf(deviceKind))};
    view.ShowWaitDialog(shown ? &text : nullptr);
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
    if (effects.refreshPages) {
        view.Refresh(kPagesPart);
        ShowLockDisplay();
    }
    if (effects.markSettingsChanged)
        MarkSettingsChanged(1);
}

bool ReceiverSession::SaveMotorSettings() { return lockingPage == nullptr || lockingPage->SaveMotorSettings(); }

bool ReceiverSession::RelockIfNeeded()
{
    const bool motorSaved = SaveMotorSettings();
    if (locked == 0 || (pendingChanges && settingsChanged != 0))
        LockCurrent(false);
    return motorSaved;
}

// Before a save over a database file that could not be read whole: the first
// asks; Yes lets the database replace it (keeping the file as its backup
// first), No keeps the file.
bool ReceiverSession::MayReplaceUnreadDatabaseFile()
{
    const std::string& file = database.UnreadFile();
    if (file.empty())
        return true;
    if (!view.Ask(view.Text(kNotReadWhole) + "\n" + AnsiToUtf8(file) + "\n\n" + view.Text(kReplaceQuestion) + "\n" +
                  AnsiToUtf8(BackupFilePath(file)) + "\n\n" + view.Text(kNoKeepsTheFile)))
        return false;
    database.AllowReplacingUnreadFile();
    return true;
}

void ReceiverSession::ReportUnreadDatabase()
{
    const std::string& file = database.UnreadFile();
    if (!file.empty())
        view.Tell(view.Text(kNotReadWhole) + "\n" + AnsiToUtf8(file) + "\n\n" + view.Text(kListIncomplete));
}

bool ReceiverSession::SaveChanges(bool motorSaved)
{
    if (!MayReplaceUnreadDatabaseFile())
        return false;   // the user keeps the file: nothing is saved, the changes stay pending
    const bool channelsSaved = SaveChannels(database);
    const bool settingsSaved = SaveSettings() && motorSaved;
    if (channelsSaved && settingsSaved)
        return true;
    // The old file stays and the changes stay in memory: Apply stays on, so
    // that they can be saved again and Exit still asks before they go.
    std::string text = view.Text(kNotSaved) + "\n";
    const auto addPlace = [&](const MessageRef& label, const std::string& place) {
        text.append("\n").append(view.Text(label)).append("\n").append(AnsiToUtf8(place)).append("\n");
    };
    if (!channelsSaved)
        addPlace(kChannelDatabaseLabel, database.FilePath());
    if (!settingsSaved)
        addPlace(kSettingsLabel, settingsKey.Name());
    text.append("\n").append(view.Text(kChangesKept));
    view.Tell(text);
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
    if (!view.Ask(view.Text(kExitQuestion)))
        return true;
    return SaveChanges(SaveMotorSettings());
}

bool ReceiverSession::Restore()
{
    if (!view.Ask(view.Text(kRestoreQuestion)))
        return false;
    const MainSettings left = settings;
    LoadSettings(programFolder);
    // A language chosen since the last save is left here: its copy goes.
    if (left.languageName != settings.languageName || left.installationPath != settings.installationPath)
        DeleteTemporaryLanguageFile(left.installationPath, left.languageName);
    SetPendingChanges(false);
    LoadDatabase();
    view.Refresh(kSatelliteListPart | kLanguageListPart | kPagesPart);
    ShowLockDisplay();
    // The card stays tuned to what Restore may have taken away: the restored
    // selection is locked, silently, as at start-up.
    if (lockedTarget && *lockedTarget != CurrentLockTarget(database))
        LockCurrent(true);
    ReportUnreadDatabase();
    return true;
}
