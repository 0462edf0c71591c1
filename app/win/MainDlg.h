// The main dialog (102): brings the receiver up, hosts the satellite list,
// the tab pages and the OK/Restore/Apply/Help buttons, and shows the
// receiver session that the pages share.
#pragma once

#include "app/ReceiverSession.h"
#include "app/SignalRules.h"
#include "app/win/LevelBar.h"
#include "app/win/PageTabCtrl.h"
#include "app/win/PowerSettings.h"
#include "app/win/RegistryKey.h"
#include "app/win/SignalWindow.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/ToolTip.h"
#include "tuning/win/LockWaitDlg.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

class CMainFrame;
class ReceiverDriver;

// A lock worker has ended: wParam is its run (posted from the worker).
constexpr UINT kLockWorkerDoneMessage = WM_APP + 1;
// Posted by the initialisation: a database file not read whole is reported
// once the dialog is up, not from inside the start-up.
constexpr UINT kReportUnreadDatabaseMessage = WM_APP + 2;

// The main dialog's timers.
constexpr UINT_PTR kSignalTimer = 502;
constexpr UINT_PTR kStartupLockTimer = 503;
constexpr UINT_PTR kStatisticsTimer = 504;
constexpr UINT_PTR kPidMacTimer = 505;
// After a resume: reception is restored once the system has settled, and retried.
constexpr UINT_PTR kRestoreTimer = 506;
// A start with Windows tries a card that is not ready yet for a minute.
constexpr UINT_PTR kInitRetryTimer = 507;
constexpr UINT kInitRetryPeriod = 5000;
constexpr int kInitRetries = 12;
constexpr UINT kStartupLockDelay = 110;

class CMainDlg : public CDialog, private ReceiverView, private SignalWindowHost {
public:
    CMainDlg(CMainFrame* frame, ReceiverDriver& driver);
    ~CMainDlg() override;

    // The signal window, from the notification-area menu, the level bars and Ctrl+L.
    void OpenSignalWindow() { signalWindow.Open(hwnd); }
    // An event for the signal window's list and CSV, seen outside the signal
    // poll (the data watchdog, sleep and resume).
    void RecordSignalEvent(SignalEvent event) override { signalWindow.RecordEvent(event); }
    // Restarts a running signal poll with the period that now applies.
    void UpdateSignalPollPeriod() override;
    std::chrono::seconds DataWatchdogTime() const override { return session.WatchdogTime(); }
    void SetDataWatchdogTime(std::chrono::seconds time) override;

    // "%sLanguage\%s.txt" from the installation path and language name.
    std::string LanguageFilePath() const;
    // The file the current language's texts are read from: the converted
    // copy, or the Chinese file itself, once the language was applied; the
    // ".txt" file before that. Menus and dialogs that the main dialog and the
    // frame open look their texts up here.
    std::string AppliedLanguageFile() const;
    // The message of a key in the current language, or its English text.
    std::string Text(const char* key, const char* english) const override;
    const CChannelDatabase& Database() const override { return session.Database(); }

    // Unsaved changes: Apply is enabled.
    bool HasPendingChanges() const { return session.HasPendingChanges(); }
    // The question of the frame's Exit while changes are unsaved. False when
    // the user chose to save and the saving failed: the program goes on.
    bool RunExitQuestion() { return session.RunExitQuestion(); }
    // After the question at the end of the Windows session: saved, or discarded.
    void DropPendingChanges() { session.SetPendingChanges(false); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch pages from
    // anywhere in the dialog; Tab stops on the tab strip.
    bool PreTranslateMessage(const MSG& message) override;

private:
    // ReceiverView
    void ShowLockDisplay(bool shown) override;
    void ShowLockNote(const std::string& note) override;
    void ShowBalloon(const std::string& text) override;
    void StartRestoreTimer(std::chrono::milliseconds delay) override;
    void StopRestoreTimer() override;
    void ForgetKeptLock() override;
    void CloseForRemoval() override;
    void EnableApply(bool enabled) override;
    void StartSignalTimer() override;
    void StopSignalTimer() override;
    void StartStatisticsTimer() override;
    void StopStatisticsTimer() override;
    void StartPidMacTimer() override;
    void StopPidMacTimer() override;
    void ShowWaitDialog(const MessageRef& text) override;
    void DestroyWaitDialog() override { waitDialog.reset(); }
    void RefreshPages() override { tabControl.RefreshPages(); }
    void ReloadPids() override;
    void ShowAddedSatellites() override;
    void FillSatelliteList() override;
    void FillLanguageList() override;
    void LockCurrent(bool silent) override;
    void HideToTray() override;
    void LoadSettings() override;
    bool SaveSettings() override;
    std::string SettingsKeyName() const override;
    bool SaveMotorSettings() override;
    std::string Text(const MessageRef& message) const override { return Text(message.key, message.english); }
    bool AskYesNo(const MessageRef& question) override;
    bool AskYesNoText(const std::string& question) override;
    void ShowError(const std::string& text) override;
    void Trace(const std::string& line) override;
    void DebugOutput(const std::string& line) override;

    bool InitialiseReceiver();
    // The initialisation from InitDise on; again from the retry timer when
    // the card was not ready at a start with Windows.
    void StartReceiver();
    void OnShowWindow(bool shown) override;
    void CopyInstallPath();
    void LoadBanner();
    void CreatePages();
    // Prepares the language file (its converted copy where needed), then
    // translates this dialog and hands the same file to every page.
    void ApplyLanguage(const std::string& path);
    void CreateLevelBars();
    // The bars' tip names the signal window and its key, in the current language.
    void ShowLevelBarTips();
    void SetUpMacAddresses();
    void RegisterDeviceNotifications();
    // Tab or Shift+Tab that enters or leaves the tab strip; false when the
    // dialog manager's own order applies.
    bool MoveFocusAroundTabStrip(bool backwards);
    void TraceTimestamp(const char* label);

    void OnApply() { session.Apply(); }
    void OnRestore() { session.Restore(); }
    void OnHelpButton();
    void OnHelpRequest();
    void OnLanguageChanged();
    void OnSatelliteSelected();
    void OnNewSatellite();
    void OnChangeSatellite();
    void OnRemoveSatellite();
    void AppendAndSelectSatellite(SatelliteRecord* record);
    void ShowRuleError(const MessageRef& message);
    void OnStartupLockTimer();
    void OnSignalPollTimer();
    void ShowSignal(const SignalReading& reading);
    // The silent lock a reading asks for; during the initialisation it waits
    // until the MAC addresses are set, so that nothing else reaches the card
    // while the first lock tunes.
    void RelockSilently();
    void OnLockWorkerDone(std::uint32_t run);
    // Timer 504's counters (none when skipped or failed), for the data watchdog.
    void OnStatisticsReading(const std::optional<StatsCounters>& counters);
    void OnPowerBroadcast(WPARAM event);
    // True when the minimised dialog was painted here.
    bool OnPaint();
    void OnDeviceChange(WPARAM event, LPARAM data);
    void UpdateBar(CLevelBar* bar, const RECT& outer, int value, int textId);
    void StartTimer(UINT_PTR id, UINT period, UINT_PTR& field);
    void StopTimer(UINT_PTR& field);

    // Before the pages, which are handed it, and the controls that show it.
    ReceiverSession session;
    CStaticCtrl bannerPicture;
    CStaticCtrl lockIcon;
    CComboBox satelliteCombo;
    CComboBox languageCombo;
    CPageTabCtrl tabControl;
    std::string qualityText;
    std::string strengthText;
    CSettingsKeyOpener settingsKey;
    UINT_PTR pidMacTimer = 0;
    UINT_PTR statisticsTimer = 0;
    DWORD_PTR helpCookie = 0;
    int initialLockPending = 0;
    CMainFrame* frame = nullptr;
    bool lockDisplayed = false;
    HICON icon = nullptr;
    UINT_PTR signalTimer = 0;
    UINT_PTR startupLockTimer = 0;
    UINT_PTR restoreTimer = 0;
    UINT_PTR initRetryTimer = 0;
    int initRetries = 0;
    bool unreadReportWaits = false;
    std::unique_ptr<CLevelBar> strengthBar;
    std::unique_ptr<CLevelBar> qualityBar;
    RECT strengthRect{};
    RECT qualityRect{};
    SignalMonitor signalMonitor;   // keeps the weak-reading counter
    CSignalWindow signalWindow{*this};   // its history is kept while it is closed
    CPowerSettings powerSettings;
    std::unique_ptr<CLockWaitDlg> waitDialog;
    HBITMAP bannerBitmap = nullptr;
    bool receiverInitialised = false;
    bool initialising = false;
    bool startupRelockPending = false;
    bool startupRelockRan = false;
    CToolTip lockIconTip;
    std::string appliedLanguageFile;
};
