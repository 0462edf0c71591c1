// The hidden frame: the application's main window. It owns the notification
// icon and the one main dialog, carries the popup-menu commands and receives
// the exit request of other programs.
#pragma once

#include "app/win/MainDialogOwner.h"
#include "app/win/SystemIcon.h"
#include "framework/Window.h"

#include <memory>
#include <string>

class CAboutDlg;
class CMainDlg;
class ReceiverDriver;

extern UINT g_exitRequestMessage;

constexpr UINT kTrayCallbackMessage = 0x042B;
constexpr UINT kCommandShowHide = 32771;
constexpr UINT kCommandExit = 32772;
constexpr UINT kCommandAbout = 32773;
constexpr UINT kCommandSignal = 32774;
constexpr UINT kCommandStartWithWindows = 32775;

class CMainFrame : public CWindow, private MainDialogOwner {
public:
    // startHidden: started with Windows ("/tray"): the main dialog stays
    // hidden, and the notification area may not be there yet.
    CMainFrame(ReceiverDriver& driver, bool startHidden = false);
    ~CMainFrame() override;

    // Registers kFrameClass and creates the hidden frame with menu 128.
    bool LoadFrame();

    void RequestClose(CloseRequest request) override;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // MainDialogOwner
    void ShowTrayLock(bool locked, const std::string& note) override;
    void ShowTrayBalloon(const std::string& text) override;
    void ShowPendingChanges(bool pending) override;
    bool StartedHidden() const override { return startHidden; }

    // The main dialog is on the screen (a minimised one counts: the menu offers Hide).
    bool DialogVisible() const;
    bool OnCreate();
    // False when a save the user asked for failed and the program stays.
    bool OnExit();
    void RunCloseRequest(CloseRequest request);
    // The main dialog shown and the exit question asked; false when the
    // user chose to save and the saving failed.
    bool AskExitQuestion();
    // Whether the session may end now.
    bool OnQueryEndSession();
    void AskAboutPendingChanges();
    void OnEndSession();
    void OnShowHide();
    void OnAbout();
    void OnDestroy();
    void OnTrayNotify(LPARAM mouseMessage);
    void OnExitRequest(WPARAM wParam);
    void ShowTrayMenu();
    void OnStartWithWindows();
    // Explorer restarted, or the notification area came up after the program.
    void OnTaskbarCreated();

    // Runs a CloseRequest (wParam) once no modal loop is open.
    static constexpr UINT kRunCloseRequestMessage = WM_APP + 1;
    // Asks about pending changes after a WM_QUERYENDSESSION has been answered.
    static constexpr UINT kAskAboutPendingChangesMessage = WM_APP + 2;
    // Shows a lock's icon and tip once the thread is back in its message loop.
    static constexpr UINT kShowTrayLockMessage = WM_APP + 3;

    void ShowTrayLockNow();

    ReceiverDriver& driver;
    CSystemIcon systemIcon;
    CAboutDlg* openAbout = nullptr;   // while the About box runs
    bool exitQuestionOpen = false;
    bool shutdownBlocked = false;
    bool sessionEnded = false;
    bool trayLocked = false;
    std::string trayNote;
    bool trayLockPosted = false;
    const bool startHidden;
    std::unique_ptr<CMainDlg> mainDialog;
};
