// The main dialog (102): brings the receiver up, hosts the satellite list,
// the tab pages and the OK/Restore/Apply/Help buttons, and keeps the state
// the pages share.
#pragma once

#include "app/LockDisplay.h"
#include "app/Settings.h"
#include "app/SignalRules.h"
#include "app/win/LevelBar.h"
#include "app/win/PageTabCtrl.h"
#include "app/win/PowerSettings.h"
#include "app/win/SignalWindow.h"
#include "common/RuleResult.h"
#include "database/ChannelDatabase.h"
#include "driver/ReceiverDriver.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CMainFrame;
class ReceiverDriver;

class CMainDlg : public CDialog {
public:
    explicit CMainDlg(CMainFrame* frame);
    ~CMainDlg() override;

    int IsLocked() const { return locked; }
    int IsFilterStarted() const { return filterStarted; }
    void SetFilterStarted(int started) { filterStarted = started; }
    int IsTuningChanged() const { return tuningChanged; }
    // 0 is set as a lock of the current records begins: they become what the
    // lock icons speak of. 1 marks another selection.
    void SetTuningChanged(int changed);
    int GetDeviceKind() const { return deviceKind; }
    // Always enables Apply; a non-zero flag also marks the settings as changed.
    void MarkSettingsChanged(int setFlag);
    // Trace lines around driver calls end here: the diagnostic log takes them while it is on.
    void Trace(const std::string& line);

    void ShowLockState(int result);
    void ShowSignal(int strength, int quality, int lockValue);
    void StartSignalTimer();
    void StopSignalTimer();
    void StartStatisticsTimer();
    void StopStatisticsTimer();
    void StartPidMacTimer();
    void StopPidMacTimer();
    // The signal window, from the notification-area menu and the level bars.
    void OpenSignalWindow() { signalWindow.Open(); }
    // Restarts a running signal poll with the period that now applies.
    void UpdateSignalPollPeriod();
    void RefreshPages();
    // After a page added satellites or channels behind the list's back (an
    // import): the list shows them, with the current satellite chosen.
    void ShowAddedSatellites();

    const std::string& InstallPath() const { return settings.installationPath; }
    const std::string& LanguageName() const { return settings.languageName; }
    // "%sLanguage\%s.txt" from the installation path and language name.
    std::string LanguageFilePath() const;
    // The file the current language's texts are read from: the converted
    // copy, or the Chinese file itself, once the language was applied; the
    // ".txt" file before that. Menus and dialogs that the main dialog and the
    // frame open look their texts up here.
    std::string AppliedLanguageFile() const;
    // The message of a key in the current language, or its English text.
    std::string Text(const char* key, const char* english) const;
    // Prepares the language file (its converted copy where needed), then
    // translates this dialog and hands the same file to every page.
    void ApplyLanguage(const std::string& path);
    CChannelDatabase& Database() { return database; }
    ReceiverDriver& Driver() const;

    // The page that locks the card of this kind, and the PID page.
    CTabPage* LockingPage() const;
    CTabPage* PidPage() const;

    // The question of the frame's Exit while changes are unsaved. False when
    // the user chose to save and the saving failed: the program goes on.
    bool RunExitQuestion();

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
    friend class CSatelliteListHandlers;

    bool InitialiseReceiver();
    void CopyInstallPath();
    void LoadSettings();
    // False when a value could not be written.
    bool SaveSettings();
    // Where the settings are written, as the registry editor names it.
    std::string SettingsKeyName() const;
    void LoadBanner();
    void LoadDatabase();
    void CreatePages();
    void FillLanguageList();
    void CreateLevelBars();
    void SetUpMacAddresses();
    void RegisterDeviceNotifications();
    // Tab or Shift+Tab that enters or leaves the tab strip; false when the
    // dialog manager's own order applies.
    bool MoveFocusAroundTabStrip(bool backwards);
    void TraceTimestamp(const char* label);
    bool SaveMotorSettings();
    // Runs the re-lock rule; false when the motor values could not be saved.
    bool RelockIfNeeded();
    // Saves the database and the settings; tells the user what could not be
    // saved and where, and returns false, when either failed.
    bool SaveChanges(bool motorSaved);

    void OnApply();
    void OnRestore();
    void OnHelpButton();
    void OnHelpRequest();
    void OnLanguageChanged();
    void OnSatelliteSelected();
    void OnNewSatellite();
    void OnChangeSatellite();
    void OnRemoveSatellite();
    void FillSatelliteList();
    void AppendAndSelectSatellite(SatelliteRecord* record);
    void ApplyEffects(const MainDialogEffects& effects);
    void ShowRuleError(const MessageRef& message);
    void OnStartupLockTimer();
    void OnSignalPollTimer();
    // True when the minimised dialog was painted here.
    bool OnPaint();
    void OnDeviceChange(WPARAM event, LPARAM data);
    // The lock icon, the notification-area icon and the bars' colour for the
    // last lock result and the current records.
    void ShowLockDisplay();
    void UpdateBar(CLevelBar* bar, const RECT& outer, int value, int textId);
    void StartTimer(UINT_PTR id, UINT period, UINT_PTR& field);
    void StopTimer(UINT_PTR& field);

    CStaticCtrl bannerPicture;
    CStaticCtrl lockIcon;
    CComboBox satelliteCombo;
    CComboBox languageCombo;
    CPageTabCtrl tabControl;
    std::string qualityText;
    std::string strengthText;
    CChannelDatabase database;
    MainSettings settings;   // installation path, language, saved selection and degree
    UINT_PTR pidMacTimer = 0;
    UINT_PTR statisticsTimer = 0;
    DWORD_PTR helpCookie = 0;
    int initialLockPending = 0;
    CMainFrame* frame = nullptr;
    int tuningChanged = 0;
    int deviceKind = 0;
    int filterStarted = 0;
    int settingsChanged = 0;
    int locked = 0;
    int lastLockResult = 1;
    bool lockDisplayed = false;
    std::optional<LockTarget> lockedTarget;   // what the last lock was run for
    HICON icon = nullptr;
    UINT_PTR signalTimer = 0;
    UINT_PTR startupLockTimer = 0;
    std::unique_ptr<CLevelBar> strengthBar;
    std::unique_ptr<CLevelBar> qualityBar;
    RECT strengthRect{};
    RECT qualityRect{};
    SignalMonitor signalMonitor;   // keeps the weak-reading counter
    CSignalWindow signalWindow{*this};   // its history is kept while it is closed
    CPowerSettings powerSettings;
    HBITMAP bannerBitmap = nullptr;
    bool receiverInitialised = false;
    std::string appliedLanguageFile;
};
