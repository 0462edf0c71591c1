// The state the main dialog and its pages share, and the main dialog's rules
// apart from windows: the start-up's card steps, the signal poll and its
// silent re-lock, when Apply and OK re-lock, the Apply, OK, exit-question and
// Restore sequences with the settings they load and save, what an edit sets
// off, the data watchdog, sleep and resume, and the exit's last driver calls.
// The main dialog owns one session and shows it through ReceiverView; the
// pages are handed it as their TuningSession or ReceptionSession, and the page
// that locks and the PID page register with it.
#pragma once

#include "app/DataWatchdog.h"
#include "app/LockDisplay.h"
#include "app/PowerCycle.h"
#include "app/Settings.h"
#include "app/SignalEvents.h"
#include "app/SignalRules.h"
#include "common/RuleResult.h"
#include "common/SettingsStore.h"
#include "common/TextSink.h"
#include "database/ChannelDatabase.h"
#include "reception/AdapterRegistry.h"
#include "reception/ReceptionSession.h"
#include "tuning/TuningSession.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// What the lock icon, the notification-area icon and the bars show.
struct LockDisplayState {
    bool locked = false;
    // For the tips: the card does not answer, or what it receives when that
    // is not the selection; empty for none.
    std::string note;

    bool operator==(const LockDisplayState&) const = default;
};

// The parts of the main dialog that show the database.
enum ViewPart : unsigned {
    kPagesPart = 1,             // the pages reload from the cursors
    kSatelliteListPart = 2,     // the list, selected as the saved settings say
    kLanguageListPart = 4,      // the language list, and the language applied again
    kAddedSatellitesPart = 8,   // the list, after an import or a scan added to it
};

// The window side of the session: only what a window can do. Calls come from
// the user-interface thread.
class ReceiverView {
public:
    virtual ~ReceiverView() = default;

    virtual void ShowLockDisplay(const LockDisplayState& state) = 0;
    // Apply (1009) enabled: changes are pending.
    virtual void EnableApply(bool enabled) = 0;
    // A zero delay runs the timer with its own period.
    virtual void SetTimerRunning(SessionTimer timer, bool running, std::chrono::milliseconds delay) = 0;
    // The wait dialog of a lock with the text; null takes it down.
    virtual void ShowWaitDialog(const MessageRef* text) = 0;
    // The message of a key in the current language, or its English text.
    virtual std::string Text(const MessageRef& message) const = 0;
    // A Yes/No question and an error, with the program's caption.
    virtual bool Ask(const std::string& question) = 0;
    virtual void Tell(const std::string& error) = 0;
    // A combination of ViewPart.
    virtual void Refresh(unsigned parts) = 0;
    // Hides the dialog to the notification area.
    virtual void HideToTray() = 0;
    // A balloon from the notification-area icon.
    virtual void ShowBalloon(const std::string& text) = 0;
    // An event of the reception for the signal window's list and CSV.
    virtual void RecordSignalEvent(SignalEvent event) = 0;
    // The receiver is gone: the program closes as on its removal.
    virtual void CloseForRemoval() = 0;
};

// What a signal poll read and what it showed, for the bars and the signal window.
struct SignalPoll {
    SignalReading reading;
    SignalDisplay display;
};

class ReceiverSession final : public TuningSession, public ReceptionSession {
public:
    // card is the driver library itself; the session passes every call
    // through its gate, and it must outlive the program's driver calls.
    // settingsKey opens the program's settings key; trace and debugOutput
    // receive the diagnostic lines. cardWait bounds every wait for the card
    // (tests shorten it).
    ReceiverSession(ReceiverDriver& card, ReceiverView& view, SettingsKeyOpener& settingsKey, TextSink trace,
                    TextSink debugOutput, std::chrono::milliseconds cardWait = kDriverWaitLimit);

    CChannelDatabase& Database() { return database; }
    const CChannelDatabase& Database() const { return database; }
    MainSettings& Settings() { return settings; }
    const MainSettings& Settings() const { return settings; }

    // PageHost
    ReceiverDriver& Driver() override { return gate.Driver(); }
    DriverGate& Gate() override { return gate; }
    bool AwaitCard() override;
    int GetDeviceKind() const override { return deviceKind; }
    bool IsLocked() const override { return locked != 0; }
    bool IsFilterStarted() const override { return filterStarted != 0; }
    bool IsTuningChanged() const override { return tuningChanged != 0; }
    void MarkSettingsChanged(int setFlag) override;
    void SetTimerRunning(SessionTimer timer, bool running) override;
    void Trace(const std::string& line) override { trace(line); }
    void DebugOutput(const std::string& line) override { debugOutput(line); }

    // LockHost
    void SetFilterStarted(int started) override { filterStarted = started; }
    void SetTuningChanged(int changed) override;
    void ShowWaitDialog(bool shown) override;
    void ShowLockState(int result) override;
    // After a lock's filter start: the PIDs, and after a re-lock that the
    // watchdog or a resume asked for, the filter's MAC address again.
    void ReloadPids() override;
    void ReportCardBusy() override;

    // TuningSession
    LockWorkerNotice LockNotice() override { return lockNotice; }
    void RegisterLockingPage(LockingPageLink* page) override { lockingPage = page; }
    void SetDishDriving(bool driving) override { dishDriving = driving; }
    void DishMoved() override;
    void SetScanRunning(bool running) override { scanRunning = running; }
    void ApplyEffects(const MainDialogEffects& effects) override;
    void ShowAddedSatellites() override { view.Refresh(kAddedSatellitesPart); }

    // ReceptionSession
    void RegisterPidPage(PidPageLink* page) override { pidPage = page; }
    void SetFilterMacAddress(const MacAddress& address) override { filterMac = address; }

    // The start-up. How a lock worker's end reaches the user-interface
    // thread, set before the pages are made.
    void SetLockNotice(LockWorkerNotice notice) { lockNotice = std::move(notice); }
    // The settings from the key; without a "PATH" the program's folder.
    void LoadSettings(const std::string& programFolder);
    // InitDise, then GetCIInfo, the database file of the card's kind and the
    // data watchdog's time; false when InitDise failed.
    bool StartCard();
    // From the first signal reading to the MAC step nothing else may reach
    // the card: a silent lock asked meanwhile waits for FinishStart.
    void BeginStart() { starting = true; }
    // The MAC addresses of the start-up, then the silent lock that waited.
    void FinishStart(AdapterRegistry& adapters);
    // Timer 503: the start-up's lock, unless the silent lock of the first
    // reading locked the same records already; silent while the dialog is hidden.
    void RunStartupLock(bool silent);
    // A lock worker's posted end.
    void OnLockWorkerDone(std::uint32_t run);

    // Timer 502, and the first reading of the start-up: the reading and its
    // display, or nothing when the poll was skipped or failed.
    std::optional<SignalPoll> PollSignal();
    // Timers 504 and 505: the counters the PID page read (nothing when the
    // read was skipped or failed), which the data watchdog watches.
    std::optional<StatsCounters> ReadStatistics(DataWatchdog::Clock::time_point now);
    void RefreshPidMacs();
    // Whether a timer skips its turn: every timer while a scan has the card,
    // and a periodic read (signal, statistics, PID addresses) while a tune
    // or a command holds it.
    bool SkipsTimerTurn(bool periodicRead) const { return scanRunning || (periodicRead && gate.IsBusy()); }
    // What the last lock was run for; none before one, and once the dish moved.
    const std::optional<LockTarget>& LockedTarget() const { return lockedTarget; }
    // What the lock icons show: the last lock result, if it was for the current records.
    bool DisplaysLocked() const;

    // The data watchdog's time ("DataWatchdog"), stored at once; 0 switches it off.
    std::chrono::seconds WatchdogTime() const { return watchdog.Time(); }
    bool SetWatchdogTime(std::chrono::seconds time);
    // The system goes to sleep: the polls stop and the filter stops, without
    // waiting for a card that is busy.
    void Suspending(PowerCycle::Clock::time_point now);
    void Resumed(PowerCycle::Clock::time_point now);
    void OnRestoreTimer(PowerCycle::Clock::time_point now);
    // The receiver's removal notice: false while it may be the sleep's doing.
    bool RemovalEndsProgram(PowerCycle::Clock::time_point now) { return power.RemovalEndsProgram(now); }
    void ReceiverArrived() { power.CardArrived(); }

    // Unsaved changes: the state Apply shows.
    bool HasPendingChanges() const { return pendingChanges; }
    void SetPendingChanges(bool pending);
    // The buttons. False when the changes could not be saved (the user was
    // told; Apply stays on and the dialog stays shown).
    bool Apply();
    bool Ok();
    // The frame's Exit while changes are pending. False when the user chose
    // to save and the saving failed or was declined: the program goes on.
    bool RunExitQuestion();
    // False when the user answered No.
    bool Restore();
    // Once the dialog is up: a database file that could not be read whole is reported.
    void ReportUnreadDatabase();

    // At exit: waits for a worker still inside the driver at most the wait,
    // then stops a dish a hold button drives, stops the filter, traces the
    // end (traceEnd) and releases the driver, last. When the card did not
    // answer in time nothing more is sent, and it returns false.
    bool ShutDownDriver(const std::function<void()>& traceEnd, std::chrono::milliseconds wait = kDriverWaitLimit);

private:
    void LoadDatabase();
    void ShowLockDisplay();
    // Whether a signal reading starts a silent lock: what the signal monitor
    // asks, except while a hold button drives the dish or a scan runs; and
    // once the dish has moved, a reported lock starts one too, so that the
    // icons follow what the card receives.
    bool ShouldRelockSilently(bool monitorAsks, bool cardReportsLock);
    void LockCurrent(bool silent);
    // At every poll tick, also when the poll is skipped: whether the card answers.
    void CheckCardAnswers();
    // Runs the re-lock rule; false when the motor values could not be saved.
    bool RelockIfNeeded();
    bool SaveMotorSettings();
    bool SaveSettings();
    // Saves the database and the settings; tells the user what could not be
    // saved and where, and returns false, when either failed.
    bool SaveChanges(bool motorSaved);
    bool MayReplaceUnreadDatabaseFile();

    DriverGate gate;
    ReceiverView& view;
    SettingsKeyOpener& settingsKey;
    TextSink trace;
    TextSink debugOutput;
    LockWorkerNotice lockNotice;
    LockingPageLink* lockingPage = nullptr;
    PidPageLink* pidPage = nullptr;
    CChannelDatabase database;
    MainSettings settings;         // installation path, language, saved selection and degree
    std::string programFolder;     // where "PATH" points when the settings name no folder
    SignalMonitor signalMonitor;   // keeps the weak-reading counter
    DataWatchdog watchdog;
    PowerCycle power;

    int deviceKind = 0;
    int tuningChanged = 0;
    int filterStarted = 0;
    int settingsChanged = 0;
    int locked = 0;
    // Apply is enabled in the dialog's template until the start-up disables it.
    bool pendingChanges = true;
    int lastLockResult = 1;
    std::optional<LockTarget> lockedTarget;   // what the last lock was run for
    std::string lockedTargetText;             // the same, as the tips name it
    LockDisplayState shownLock;
    bool cardAnswering = true;

    bool starting = false;
    bool startupLockWaits = false;   // asked while starting
    bool startupLockRan = false;
    bool initialLockPending = false;   // from the start-up until timer 503 fired
    bool dishDriving = false;
    bool scanRunning = false;
    bool relockOnReportedLock = false;   // the dish moved since the last lock
    int restoreAttempts = 0;
    bool refreshFilterMacAfterLock = false;
    MacAddress filterMac{};
};
