// The hidden frame: the application's main window. It owns the notification
// icon and the one main dialog, carries the popup-menu commands and receives
// the exit request of other programs.
#pragma once

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

// What asks the program to close. Each ends the open modal loops first and
// runs from the application's message loop.
enum class CloseRequest : WPARAM {
    Exit = 1,          // the notification-area menu: asks first when changes are unsaved
    ExitRequest,       // another program's exit request: as Exit
    ReceiverRemoved,   // the receiver was unplugged: as Exit, the card is not needed to save
    Close,             // WM_CLOSE from elsewhere
    SessionEnded,      // the Windows session ends: no time to ask, nothing saved
};

class CMainFrame : public CWindow {
public:
    // startHidden: started with Windows ("/tray"): the main dialog stays
    // hidden, and the notification area may not be there yet.
    CMainFrame(ReceiverDriver& driver, bool startHidden = false);
    ~CMainFrame() override;

    // Registers kFrameClass and creates the hidden frame with menu 128.
    bool LoadFrame();

    void SetVisibleFlag(int flag) { visible = flag; }
    bool StartedHidden() const { return startHidden; }
    void SetTrayLockIcon(bool locked);
    // The icon's tooltip: the title, followed by the note when there is one.
    void SetTrayNote(const std::string& note);
    void ShowTrayBalloon(const std::string& text);
    // While the exit question is open a further request is dropped: its answer decides.
    void RequestClose(CloseRequest request);
    // Apply's state: while changes are pending the end of the Windows
    // session is held up with a reason that the system shows.
    void ShowPendingChanges(bool pending);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
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

    ReceiverDriver& driver;
    CSystemIcon systemIcon;
    int visible = 1;
    CAboutDlg* openAbout = nullptr;   // while the About box runs
    bool exitQuestionOpen = false;
    bool shutdownBlocked = false;
    bool sessionEnded = false;
    const bool startHidden;
    std::unique_ptr<CMainDlg> mainDialog;
};
