#include "app/ReceiverSession.h"

#include "app/InstallPaths.h"
#include "common/CardKind.h"
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

// True when the database is in its file. Without a database (its file name
// did not fit the path limit) there is nothing that could be lost.
bool SaveChannels(CChannelDatabase& database)
{
    return database.Save() != 0 || database.Root() == nullptr;
}
}  // namespace

ReceiverSession::ReceiverSession(ReceiverDriver& driver, ReceiverView& view) : driver(driver), view(view) {}

void ReceiverSession::LoadDatabase()
{
    database.LoadFile(DatabaseFilePath(settings.installationPath, deviceKind));
}

void ReceiverSession::SetTuningChanged(int changed)
{
    tuningChanged = changed;
    if (changed == 0)
        lockedTarget = CurrentLockTarget(database);
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
    return true;
}
