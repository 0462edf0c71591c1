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

class CMainFrame : public CWindow {
public:
    explicit CMainFrame(ReceiverDriver& driver);
    ~CMainFrame() override;

    // Registers "SkyfoldClass" and creates the hidden frame with menu 128.
    bool LoadFrame();

    void SetVisibleFlag(int flag) { visible = flag; }
    void SetTrayLockIcon(bool locked);
    // The icon's tooltip: the title, followed by the note when there is one.
    void SetTrayNote(const std::string& note);
    void ShowTrayBalloon(const std::string& text);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnCreate();
    // False when a save the user asked for failed and the program stays.
    bool OnExit();
    void OnShowHide();
    void OnAbout();
    void OnDestroy();
    void OnTrayNotify(LPARAM mouseMessage);
    void OnExitRequest(WPARAM wParam);
    void ShowTrayMenu();

    ReceiverDriver& driver;
    CSystemIcon systemIcon;
    int visible = 1;
    CAboutDlg* openAbout = nullptr;   // while the About box runs
    std::unique_ptr<CMainDlg> mainDialog;
};
