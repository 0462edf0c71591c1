// The main dialog (102): brings the receiver up, hosts the satellite list,
// the tab pages and the OK/Restore/Apply/Help buttons, and shows the
// receiver session that the pages share.
#pragma once

#include "app/ReceiverSession.h"
#include "app/win/LanguageChoice.h"
#include "app/win/MainDialogOwner.h"
#include "app/win/PageTabCtrl.h"
#include "app/win/PowerSettings.h"
#include "app/win/RegistryKey.h"
#include "app/win/SatelliteList.h"
#include "app/win/SignalDisplay.h"
#include "app/win/SignalWindow.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "tuning/win/LockWaitDlg.h"

#include <chrono>
#include <string>
#include <vector>

class ReceiverDriver;

// A lock worker has ended: wParam is its run (posted from the worker).
constexpr UINT kLockWorkerDoneMessage = WM_APP + 1;
// Posted by the initialisation: a database file not read whole is reported
// once the dialog is up, not from inside the start-up.
constexpr UINT kReportUnreadDatabaseMessage = WM_APP + 2;
// Posted at the dialog's first show: the bars' tips and the messages that waited for it.
constexpr UINT kShowWaitingMessages = WM_APP + 3;

// The main dialog's timers.
constexpr UINT_PTR kSignalTimer = 502;
constexpr UINT_PTR kStartupLockTimer = 503;
constexpr UINT_PTR kStatisticsTimer = 504;
constexpr UINT_PTR kPidMacTimer = 505;
// After a resume: reception is restored once the system has settled, and retried.
constexpr UINT_PTR kRestoreTimer = 506;
// A start with Windows tries a card that is not ready yet for a minute.
constexpr UINT_PTR kInitRetryTimer = 507;

class CMainDlg : public CDialog, private ReceiverView, private SignalWindowHost {
public:
    CMainDlg(MainDialogOwner& owner, ReceiverDriver& driver);
    ~CMainDlg() override;

    // The signal window, from the notification-area menu, the level bars and Ctrl+L.
    void OpenSignalWindow() { signalWindow.Open(hwnd); }
    // The file the current language's texts are read from.
    std::string AppliedLanguageFile() const { return languageChoice.AppliedFile(); }
    // The message of a key in the current language, or its English text.
    std::string Text(const char* key, const char* english) const override;

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
    void OnShowWindow(bool shown) override;
    void OnDestroy() override;
    void OnOK() override { session.Ok(); }
    void OnCancel() override { Show(SW_HIDE); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // The tab strip's keys, and Ctrl+L for the signal window.
    bool PreTranslateMessage(const MSG& message) override;

private:
    // ReceiverView
    void ShowLockDisplay(const LockDisplayState& state) override;
    void EnableApply(bool enabled) override;
    void SetTimerRunning(SessionTimer timer, bool running, std::chrono::milliseconds delay) override;
    void ShowWaitDialog(const MessageRef* text) override;
    void PrepareWaitDialog();
    std::string Text(const MessageRef& message) const override { return Text(message.key, message.english); }
    bool Ask(const std::string& question) override;
    void Tell(const std::string& error) override;
    void Refresh(unsigned parts) override;
    void HideToTray() override { Show(SW_HIDE); }
    void ShowBalloon(const std::string& text) override { owner.ShowTrayBalloon(text); }
    void RecordSignalEvent(SignalEvent event) override { signalWindow.RecordEvent(event); }
    void CloseForRemoval() override { owner.RequestClose(CloseRequest::ReceiverRemoved); }

    // SignalWindowHost
    const CChannelDatabase& Database() const override { return session.Database(); }
    void UpdateSignalPollPeriod() override;
    std::chrono::seconds DataWatchdogTime() const override { return session.WatchdogTime(); }
    void SetDataWatchdogTime(std::chrono::seconds time) override { session.SetWatchdogTime(time); }

    // The initialisation from InitDise on; again from the retry timer when
    // the card was not ready at a start with Windows.
    void StartReceiver();
    bool InitialiseReceiver();
    void CreatePages();
    void LoadBanner();
    // Translates this dialog and its windows, and hands the same file to every page.
    void ApplyLanguage(const std::string& file);
    // The bars' tip names the signal window and its key, in the current language.
    void ShowBarTips();
    void OnSignalPoll();
    void OnStatisticsTimer();
    void OnDeviceChange(WPARAM event, LPARAM data);
    void OnPowerBroadcast(WPARAM event);
    void StartTimer(UINT_PTR id, UINT period);
    void StopTimer(UINT_PTR id);

    MainDialogOwner& owner;
    CSettingsKeyOpener settingsKey;
    // Before the pages, which are handed it, and the controls that show it.
    ReceiverSession session;
    CStaticCtrl bannerPicture;
    CLanguageChoice languageChoice;
    CSatelliteList satelliteList;
    CPageTabCtrl tabControl;
    CSignalDisplay signalDisplay;
    CSignalWindow signalWindow{*this};   // its history is kept while it is closed
    CPowerSettings powerSettings;
    CLockWaitDlg waitDialog;   // made once, shown for each lock the user waits for
    HICON icon = nullptr;
    HBITMAP bannerBitmap = nullptr;
    DWORD_PTR helpCookie = 0;
    bool receiverInitialised = false;
    int initRetries = 0;
    unsigned runningTimers = 0;   // a bit per timer from 502 on
    // A start with Windows keeps the dialog hidden: messages wait for its first show.
    bool shownOnce = false;
    std::vector<std::string> waitingMessages;
};
