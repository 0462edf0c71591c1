// Runs Lumisat.exe under test: an installation folder of its own with the
// simulated card, its files and registry values, its windows and message
// boxes, and the simulator's call log. The program is always ended when the
// run is, and in a test the run's end fails it when any call into the driver
// started while another was in flight.
#pragma once

#include "resources/ProgramIdentity.h"
#include "resources/resource.h"
#include "tests/e2e/ControlDriving.h"
#include "tests/e2e/ProgramProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using std::chrono::milliseconds;
using std::chrono::seconds;
using Messages = std::vector<std::string>;

// The frame's menu commands (the notification-area menu).
constexpr WORD kShowHideCommand = 32771;
constexpr WORD kExitCommand = 32772;
constexpr WORD kAboutCommand = 32773;
constexpr WORD kSignalCommand = 32774;
// The notification-area icon's callback message to the frame, and the icon.
constexpr UINT kTrayCallback = 0x042B;
constexpr UINT kTrayIconId = 128;

// The receiver's device-interface class.
constexpr GUID kReceiverInterface = {0x7A30FB62, 0x1DF4, 0x408C, {0xB1, 0x39, 0x00, 0x2F, 0x14, 0x5D, 0xF1, 0x89}};
// A device-interface notice of the class, sent as the system sends it (it
// carries a pointer, so it cannot be posted); returns once it was handled.
void SendDeviceNotice(HWND dialog, WPARAM event, const GUID& interfaceClass);

// Wine's crash report ("Program Error") or any window of its debugger, closed
// so that no later scenario meets it: its title and program, empty when none.
std::string TakeCrashReport();

// Waits until the condition holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& condition, milliseconds timeout = seconds(10));
// Reads the message box's text, answers it and waits until it is gone.
std::string AnswerBox(HWND box, int buttonId);

// Lines of a call log: the first from `from` on that starts with the prefix
// (or npos), and whether one line starts with each prefix, in this order.
size_t FindLine(const std::vector<std::string>& lines, const std::string& prefix, size_t from = 0);
::testing::AssertionResult HasInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& prefixes,
                                      size_t from = 0);

class LumisatRun {
public:
    // A fresh installation folder named after the test, with the program,
    // the simulator and the shipped language files; the settings key is reset.
    explicit LumisatRun(const std::string& name);
    ~LumisatRun();
    LumisatRun(const LumisatRun&) = delete;
    LumisatRun& operator=(const LumisatRun&) = delete;

    const std::string& Folder() const { return folder; }   // ends in a backslash
    std::string PathOf(const std::string& file) const { return folder + file; }
    bool Exists(const std::string& file) const
    {
        return GetFileAttributesA(PathOf(file).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // The simulator's configuration; a call log "Quarlink.log" is always added.
    void WriteIni(const std::string& text) const { WriteFile("Quarlink.ini", text + "\n[Log]\nFile=Quarlink.log\n"); }
    void WriteFile(const std::string& name, const std::string& bytes) const;
    // Read while the program may still write it.
    std::string ReadFile(const std::string& name) const;
    void SetRegistryString(const char* name, const std::string& value) const;
    void SetRegistryNumber(const char* name, DWORD value) const;
    // Empty, or false, when the value is missing or of another type.
    std::string RegistryString(const char* name) const;
    bool RegistryNumber(const char* name, DWORD& value) const;

    // Starts the program and waits for its main dialog.
    bool Start() { return Launch() && WaitForMainDialog(); }
    // Starts the program without waiting for anything (in another working
    // folder than its own when one is given; a copy of it in another folder
    // when that is given).
    bool Launch(const std::string& workingFolder = std::string(), const std::string& programFolder = std::string(),
                const std::string& arguments = std::string())
    {
        return process.Start((programFolder.empty() ? folder : programFolder) + "Lumisat.exe",
                             workingFolder.empty() ? folder : workingFolder, arguments);
    }
    // The main dialog, visible (a message box carries the same title).
    bool WaitForMainDialog(milliseconds timeout = seconds(30));
    // Another instance from the same folder; its exit code, or STILL_ACTIVE.
    DWORD StartSecondInstance(const std::string& arguments = std::string()) const;
    bool IsRunning() const { return process.IsRunning(); }
    bool WaitForExit(milliseconds timeout = seconds(15))
    {
        return process.WaitForExit(static_cast<DWORD>(timeout.count()));
    }
    DWORD ExitCode() const { return process.ExitCode(); }
    // Asks the running program to exit as other programs do (wParam 1).
    void RequestExit(WPARAM wParam = 1) const
    {
        PostMessageA(Frame(), RegisterWindowMessageA(kExitRequestMessageName), wParam, 0);
    }
    // Asks it to exit; true once it ended with exit code 0.
    bool ExitsCleanly()
    {
        RequestExit();
        return WaitForExit(seconds(10)) && ExitCode() == 0;
    }

    DWORD ProcessId() const { return process.Id(); }
    HWND MainDialog() const { return mainDialog; }
    HWND Control(int id) const { return FindControl(mainDialog, id); }
    HWND Frame() const { return process.TopLevelWindow(WindowFilter{kFrameClass, nullptr, false}); }
    void PostFrameCommand(WORD command) const { PostMessageA(Frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
    // The visible top-level dialog of this process with the title.
    HWND WaitForWindow(const char* title, milliseconds timeout = seconds(10)) const;

    // A message box of the program: never the main dialog (whose level bars
    // also use the text control's identifier 65535) nor a lock's wait dialog.
    HWND WaitForMessageBox(milliseconds timeout = seconds(10)) const;
    bool NoMessageBoxFor(milliseconds time) const { return WaitForMessageBox(time) == nullptr; }
    // The text of the next message box, answered; "(no message box)" when none came.
    std::string AnswerNextBox(int buttonId, milliseconds timeout = seconds(10)) const
    {
        return AnswerBox(WaitForMessageBox(timeout), buttonId);
    }
    // The texts of the message boxes, in order, until none has shown for
    // `quiet`; the first may take up to `first`. Each is answered (No for a
    // question, else OK) so that the program goes on.
    Messages TakeMessages(milliseconds quiet, milliseconds first = milliseconds(0)) const;
    // Answers the program's Open or Save dialog with the path; true once it closed.
    bool AnswerFileDialog(const std::string& path) const;
    // The wait dialog of a lock (a caption-less dialog without buttons), or
    // null; label gets its text.
    HWND FindLockWaitDialog(std::string* label = nullptr) const;

    // True when the user-interface thread answers a sent message in time;
    // WaitUntilIdle returns once it has handled everything sent before.
    bool Answers(milliseconds within) const;
    void WaitUntilIdle() const { Answers(seconds(15)); }
    // Waits until the start-up locks are over and the program answers again.
    void WaitForStartupLock() const;

    // Cancel hides the main dialog; true once it is hidden.
    bool Hide() const
    {
        PostMessageA(mainDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return WaitFor([this] { return !IsWindowVisible(mainDialog); });
    }
    // A click on a shown button that opens no window, handled before this returns.
    void Press(int id) const { SendNotification(FindVisibleControl(mainDialog, id), BN_CLICKED); }
    bool ApplyEnabled() const { return IsWindowEnabled(Control(IDC_MAIN_APPLY)) != FALSE; }
    // Shows the tab as the keyboard does; true once its page is visible.
    bool ShowTab(int index, int controlOnPage) const;
    // Presses Apply; true once Apply has ended by disabling itself.
    bool Apply() const;

    // The simulator's call log without its remarks, and the lines from
    // `from` on that start with the prefix.
    std::vector<std::string> CallLogLines() const;
    size_t LogSize() const { return CallLogLines().size(); }
    std::vector<std::string> CallsFrom(const std::string& prefix, size_t from = 0) const;
    bool WaitForCall(const std::string& prefix, size_t from = 0, milliseconds timeout = seconds(10)) const;
    // The simulator's remarks on calls that started while another was in flight.
    std::vector<std::string> OverlappingCalls() const;

    // What the bars, the lock icon and the notification-area icon show on
    // the screen: all locked (green), all not locked (red), or nothing while
    // they disagree.
    std::optional<bool> LockShown() const;
    bool WaitForLockShown(bool locked, milliseconds timeout = seconds(10)) const
    {
        return WaitFor([&] { return LockShown() == locked; }, timeout);
    }
    // A mouse message on the notification-area icon, as the system reports it.
    void TrayIconMouse(UINT message) const { PostMessageA(Frame(), kTrayCallback, kTrayIconId, message); }
    // The icon's menu, opened as a right click does, read and closed; empty when it did not appear.
    std::vector<std::wstring> TrayMenu() const;
    // The icon's menu opened as a right click does; null when it did not appear.
    HWND OpenTrayMenu() const;
    // Exit, the menu's last item, chosen with the keyboard; false when the menu did not appear.
    bool ExitFromTrayMenu() const;

private:
    HWND FindDialog(bool messageBox) const;

    std::string folder;
    ProgramProcess process;
    HWND mainDialog = nullptr;
};

// While it lives, Wine's X11 driver leaves the program's windows to itself:
// the test display has no window manager, whose part Wine would wait two
// seconds for at every hidden window, which Windows never does.
class UnmanagedProgramWindows {
public:
    UnmanagedProgramWindows();
    ~UnmanagedProgramWindows();
    UnmanagedProgramWindows(const UnmanagedProgramWindows&) = delete;
    UnmanagedProgramWindows& operator=(const UnmanagedProgramWindows&) = delete;
};
