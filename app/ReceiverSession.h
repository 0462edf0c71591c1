// The state the main dialog and its pages share, and the main dialog's rules
// apart from windows: when Apply and OK re-lock, the Apply, OK, exit-question
// and Restore sequences, and what a satellite, transponder or channel edit
// sets off. The main dialog owns one session and shows it through
// ReceiverView; the pages are handed it as their TuningSession or
// ReceptionSession when they are created.
#pragma once

#include "app/DataWatchdog.h"
#include "app/LockDisplay.h"
#include "app/PowerCycle.h"
#include "app/Settings.h"
#include "app/SignalEvents.h"
#include "common/RuleResult.h"
#include "database/ChannelDatabase.h"
#include "driver/DriverGate.h"
#include "driver/ReceiverDriver.h"
#include "reception/MacAddressText.h"
#include "reception/ReceptionSession.h"
#include "tuning/TuningSession.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// The window side of the session. Calls come from the user-interface thread.
class ReceiverView {
public:
    virtual ~ReceiverView() = default;

    // The lock icon, the notification-area icon and the bars' colour.
    virtual void ShowLockDisplay(bool locked) = 0;
    // An event of the reception for the signal window's list and CSV.
    virtual void RecordSignalEvent(SignalEvent event) = 0;
    // A balloon from the notification-area icon.
    virtual void ShowBalloon(const std::string& text) = 0;
    // The timer that restores reception after a resume: (re)started with the
    // delay, or stopped.
    virtual void StartRestoreTimer(std::chrono::milliseconds delay) = 0;
    virtual void StopRestoreTimer() = 0;
    // The lock page's kept result no longer counts (the card lost its lock).
    virtual void ForgetKeptLock() = 0;
    // The receiver is gone: the program closes as on its removal.
    virtual void CloseForRemoval() = 0;
    // A note in the tips of the lock icon and the notification-area icon
    // (the card does not answer; it is locked to something else than the
    // selection); empty for none.
    virtual void ShowLockNote(const std::string& note) = 0;
    // Apply (1009) enabled: changes are pending.
    virtual void EnableApply(bool enabled) = 0;
    virtual void StartSignalTimer() = 0;
    virtual void StopSignalTimer() = 0;
    virtual void StartStatisticsTimer() = 0;
    virtual void StopStatisticsTimer() = 0;
    virtual void StartPidMacTimer() = 0;
    virtual void StopPidMacTimer() = 0;
    virtual void ShowWaitDialog(const MessageRef& text) = 0;
    virtual void DestroyWaitDialog() = 0;
    // The pages reload from the database cursors.
    virtual void RefreshPages() = 0;
    // The PID page sends every PID marked as loaded to the card.
    virtual void ReloadPids() = 0;
    virtual void ShowAddedSatellites() = 0;
    virtual void FillSatelliteList() = 0;
    virtual void FillLanguageList() = 0;
    // The Lock of the page that locks this card: with the wait dialog unless silent.
    virtual void LockCurrent(bool silent) = 0;
    // Hides the dialog to the notification area.
    virtual void HideToTray() = 0;

    // The settings in the registry: read into, or written from, the session's settings.
    virtual void LoadSettings() = 0;
    virtual bool SaveSettings() = 0;
    // Where the settings are written, as the registry editor names it.
    virtual std::string SettingsKeyName() const = 0;
    // The Dish Setting page's motor values; false when one could not be written.
    virtual bool SaveMotorSettings() = 0;

    // The message of a key in the current language, or its English text.
    virtual std::string Text(const MessageRef& message) const = 0;
    virtual bool AskYesNo(const MessageRef& question) = 0;
    // A question whose text is already made up (texts joined with file names).
    virtual bool AskYesNoText(const std::string& question) = 0;
    virtual void ShowError(const std::string& text) = 0;
    virtual void Trace(const std::string& line) = 0;
    // The system's debugger output.
    virtual void DebugOutput(const std::string& line) = 0;
};

class ReceiverSession final : public TuningSession, public ReceptionSession {
public:
    // card is the driver library itself; the session passes every call
    // through its gate. card must outlive the program's driver calls.
    // cardWait bounds every wait for the card (tests shorten it).
    ReceiverSession(ReceiverDriver& card, ReceiverView& view, std::chrono::milliseconds cardWait = kDriverWaitLimit);

    CChannelDatabase& Database() { return database; }
    const CChannelDatabase& Database() const { return database; }
    MainSettings& Settings() { return settings; }
    const MainSettings& Settings() const { return settings; }
    ReceiverDriver& Driver() override { return gate.Driver(); }
    DriverGate& Gate() override { return gate; }

    // How a lock worker's end reaches the user-interface thread; set before
    // the pages are made.
    void SetLockNotice(LockWorkerNotice notice) { lockNotice = std::move(notice); }
    LockWorkerNotice LockNotice() override { return lockNotice; }
    bool AwaitCard() override;
    void ReportCardBusy() override;
    void SetDishDriving(bool driving) override { dishDriving = driving; }
    void DishMoved() override;
    void SetScanRunning(bool running) override { scanRunning = running; }
    bool IsScanRunning() const { return scanRunning; }
    // Whether a timer skips its turn: every timer while a scan has the card,
    // and a periodic read (signal, statistics, PID addresses) while a tune
    // or a command holds it.
    bool SkipsTimerTurn(bool periodicRead) const { return scanRunning || (periodicRead && gate.IsBusy()); }
    // Whether a signal reading starts a silent lock: what the signal monitor
    // asks, except while a hold button drives the dish or a scan runs; and
    // once the dish has moved, a reported lock starts one too, so that the
    // icons follow what the card receives.
    bool ShouldRelockSilently(bool monitorAsks, bool cardReportsLock);
    // At every poll tick, also when the poll is skipped: tells the tips
    // whether the card answers.
    void CheckCardAnswers();
    // At exit: waits for a worker still inside the driver at most the wait,
    // then stops a dish a hold button drives, stops the filter, traces the
    // end (traceEnd) and releases the driver, last. When the card did not
    // answer in time nothing more is sent, and it returns false.
    bool ShutDownDriver(const std::function<void()>& traceEnd,
                        std::chrono::milliseconds wait = kDriverWaitLimit);

    // The address the card's filter was last given (start-up, MAC dialog).
    void SetFilterMacAddress(const MacAddress& address) override { filterMac = address; }
    // The data watchdog's time ("DataWatchdog"); 0 switches it off.
    void SetWatchdogTime(std::chrono::seconds time) { watchdog.SetTime(time); }
    std::chrono::seconds WatchdogTime() const { return watchdog.Time(); }
    // Each reading of the statistics timer: the packets received, or nothing
    // when the read was skipped or failed. Re-locks when the data stopped.
    void OnStatisticsReading(std::optional<std::int64_t> packetsReceived, bool acceptedPidLoaded,
                             DataWatchdog::Clock::time_point now);
    // The system goes to sleep: the polls stop and the filter stops, without
    // waiting for a card that is busy.
    void Suspending(PowerCycle::Clock::time_point now);
    void Resumed(PowerCycle::Clock::time_point now);
    // The restore timer fired.
    void OnRestoreTimer(PowerCycle::Clock::time_point now);
    // The receiver's removal notice: false while it may be the sleep's doing.
    bool RemovalEndsProgram(PowerCycle::Clock::time_point now) { return power.RemovalEndsProgram(now); }
    void ReceiverArrived() { power.CardArrived(); }

    // GetCIInfo's value, learnt once the driver is up.
    void SetDeviceKind(int kind) { deviceKind = kind; }
    int GetDeviceKind() const override { return deviceKind; }
    // Loads the database file of the card's kind from the installation path.
    void LoadDatabase();

    bool IsLocked() const override { return locked != 0; }
    bool IsFilterStarted() const override { return filterStarted != 0; }
    bool IsFilterStarted() override { return filterStarted != 0; }
    void SetFilterStarted(int started) override { filterStarted = started; }
    bool IsTuningChanged() const override { return tuningChanged != 0; }
    // 0 is set as a lock of the current records begins: they become what the
    // lock icons speak of. 1 marks another selection.
    void SetTuningChanged(int changed) override;
    // result 0 means locked; from a lock or the signal monitor.
    void ShowLockState(int result) override;
    // What the lock icons show: the last lock result, if it was for the current records.
    bool DisplaysLocked() const;
    // What the last lock was run for; none before one, and once the dish moved.
    const std::optional<LockTarget>& LockedTarget() const { return lockedTarget; }

    // Unsaved changes: the state Apply shows.
    bool HasPendingChanges() const { return pendingChanges; }
    void SetPendingChanges(bool pending);
    void MarkSettingsChanged(int setFlag) override;
    void MarkSettingsChanged() override { MarkSettingsChanged(0); }
    // In the order the pages keep: tuningChanged, the pages' refresh, then Apply.
    void ApplyEffects(const MainDialogEffects& effects) override;
    void RefreshPages();
    void ShowAddedSatellites() override { view.ShowAddedSatellites(); }

    // The buttons. False when the changes could not be saved (the user was
    // told; Apply stays on and the dialog stays shown).
    bool Apply();
    bool Ok();
    // The frame's Exit while changes are pending. False when the user chose
    // to save and the saving failed or was declined: the program goes on.
    bool RunExitQuestion();
    // At the end of the Windows session, with no time to ask: saves as the
    // exit question's Yes does, showing nothing, and keeps a database file
    // that could not be read whole as it is. True when all was saved.
    bool SaveWithoutAsking();
    // False when the user answered No.
    bool Restore();

    void StopSignalTimer() override { view.StopSignalTimer(); }
    void StartSignalTimer() override { view.StartSignalTimer(); }
    void StartStatisticsTimer() override { view.StartStatisticsTimer(); }
    void StopStatisticsTimer() override { view.StopStatisticsTimer(); }
    void StartPidMacTimer() override { view.StartPidMacTimer(); }
    void StopPidMacTimer() override { view.StopPidMacTimer(); }
    void ShowWaitDialog() override;
    void DestroyWaitDialog() override { view.DestroyWaitDialog(); }
    // After a lock's filter start: the PIDs, and after a re-lock that the
    // watchdog or a resume asked for, the filter's MAC address again.
    void ReloadPids() override;
    void Trace(const char* line) override { view.Trace(line); }
    void Trace(const std::string& line) override { view.Trace(line); }
    void DebugOutput(const std::string& line) override { view.DebugOutput(line); }

private:
    void ShowLockDisplay();
    void ShowLockNote();
    // Runs the re-lock rule; false when the motor values could not be saved.
    bool RelockIfNeeded();
    bool SaveMotorSettings();
    // Saves the database and the settings; tells the user what could not be
    // saved and where, and returns false, when either failed.
    bool SaveChanges(bool motorSaved);

    DriverGate gate;
    ReceiverView& view;
    LockWorkerNotice lockNotice;
    bool dishDriving = false;
    bool scanRunning = false;
    bool relockOnReportedLock = false;   // the dish moved since the last lock
    DataWatchdog watchdog;
    PowerCycle power;
    int restoreAttempts = 0;
    bool refreshFilterMacAfterLock = false;
    MacAddress filterMac{};
    bool cardAnswering = true;
    std::string lockedTargetText;   // what the last lock was run for, as the tips name it
    std::string shownNote;
    CChannelDatabase database;
    MainSettings settings;   // installation path, language, saved selection and degree
    int deviceKind = 0;
    int tuningChanged = 0;
    int filterStarted = 0;
    int settingsChanged = 0;
    int locked = 0;
    // Apply is enabled in the dialog's template until the start-up disables it.
    bool pendingChanges = true;
    int lastLockResult = 1;
    std::optional<LockTarget> lockedTarget;   // what the last lock was run for
};
