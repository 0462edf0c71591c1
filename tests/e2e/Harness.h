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
#include <source_location>
#include <string>
#include <vector>

using std::chrono::milliseconds;
using std::chrono::seconds;
using Messages = std::vector<std::string>;
using Lines = std::vector<std::string>;

// The figures the scenarios' timing rests on, each stated once.
// How long a check that something does not happen watches: the program
// answers a message, a click or a key well within it.
constexpr milliseconds kQuietWindow{1000};
// The longest wait for something that should happen.
constexpr milliseconds kEventTimeout{10000};
// The program's signal poll while the signal window is closed.
constexpr milliseconds kSignalPollPeriod{2000};
// Timer 503 starts the start-up lock 110 ms after the dialog's first signal
// reading; this long after that reading an answering program has run it.
constexpr milliseconds kStartupLockTurn{500};
// The call log shows a call once it returns. A lock's worker enters
// LockChannel3 right after the call before it; this long after that call it
// is surely inside.
constexpr milliseconds kWorkerInsideCall{300};

constexpr char kExitQuestion[] = "The App will exit,save current changed settings and data?";

// The frame's menu commands (the notification-area menu).
constexpr WORD kShowHideCommand = 32771;
constexpr WORD kExitCommand = 32772;
constexpr WORD kAboutCommand = 32773;
constexpr WORD kSignalCommand = 32774;
constexpr WORD kStartWithWindowsCommand = 32775;
// The notification-area icon's callback message to the frame, and the icon.
constexpr UINT kTrayCallback = 0x042B;
constexpr UINT kTrayIconId = 128;

// The receiver's device-interface class.
constexpr GUID kReceiverInterface = {0x7A30FB62, 0x1DF4, 0x408C, {0xB1, 0x39, 0x00, 0x2F, 0x14, 0x5D, 0xF1, 0x89}};
// A device-interface notice of the class, sent as the system sends it (it
// carries a pointer, so it cannot be posted); returns once it was handled.
void SendDeviceNotice(HWND dialog, WPARAM event, const GUID& interfaceClass = kReceiverInterface);

// Waits until the condition holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& condition, milliseconds timeout = kEventTimeout);
// True when the condition holds at no moment of the quiet window.
inline bool NeverWithin(const std::function<bool()>& condition, milliseconds window = kQuietWindow)
{
    return !WaitFor(condition, window);
}
// Reads the message box's text, answers it and waits until it is gone.
std::string AnswerBox(HWND box, int buttonId);

// Lines of a call log: the first from `from` on that starts with the prefix
// (or npos), and whether one line starts with each prefix, in this order.
size_t FindLine(const Lines& lines, const std::string& prefix, size_t from = 0);
::testing::AssertionResult HasInOrder(const Lines& lines, const Lines& prefixes, size_t from = 0);

// Names the stage of a long journey in every failure until the next stage.
class Stages {
public:
    void operator()(const char* name, std::source_location at = std::source_location::current())
    {
        trace.reset();
        trace.emplace(at.file_name(), static_cast<int>(at.line()), name);
    }

private:
    std::optional<::testing::ScopedTrace> trace;
};

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
    void SetRegistryString(const char* name, const std::string& value) const
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, REG_SZ, value.c_str(), DWORD(value.size()));
    }
    void SetRegistryNumber(const char* name, DWORD value) const
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, REG_DWORD, &value, sizeof(value));
    }
    // Empty, or false, when the value is missing or of another type.
    std::string RegistryString(const char* name) const;
    bool RegistryNumber(const char* name, DWORD& value) const
    {
        DWORD size = sizeof(value);
        return RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == 0;
    }

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
    // Waits until the dialog's first signal reading and timer 503 had their turn.
    void WaitForStartupLock() const;
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
    // The program ended without a crash report, with exit code 0 and the
    // card released by its last call.
    ::testing::AssertionResult EndsCleanly(milliseconds timeout = seconds(15));
    // Asks it to exit; then as EndsCleanly.
    ::testing::AssertionResult ExitsCleanly()
    {
        RequestExit();
        return EndsCleanly();
    }

    DWORD ProcessId() const { return process.Id(); }
    HWND MainDialog() const { return mainDialog; }
    HWND Control(int id) const { return FindControl(mainDialog, id); }
    HWND Frame() const { return process.TopLevelWindow(WindowFilter{kFrameClass, nullptr, false}); }
    void PostFrameCommand(WORD command) const { PostMessageA(Frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
    // The visible top-level dialog of this process with the title.
    HWND WaitForWindow(const char* title, milliseconds timeout = kEventTimeout) const
    {
        HWND window = nullptr;
        WaitFor([&] { return (window = FindProcessWindow(process.Id(), "#32770", title)) != nullptr; }, timeout);
        return window;
    }
    // The visible top-level dialog of this process that holds the control
    // (and has the title, when one is given).
    HWND WaitForDialogWith(int controlId, const char* title = nullptr, milliseconds timeout = kEventTimeout) const;

    // A message box of the program: never the main dialog (whose level bars
    // also use the text control's identifier 65535) nor a lock's wait dialog.
    HWND WaitForMessageBox(milliseconds timeout = kEventTimeout) const;
    bool NoMessageBox() const { return WaitForMessageBox(kQuietWindow) == nullptr; }
    // The text of the next message box, answered; "(no message box)" when none came.
    std::string AnswerNextBox(int buttonId, milliseconds timeout = kEventTimeout) const
    {
        return AnswerBox(WaitForMessageBox(timeout), buttonId);
    }
    // The texts of the message boxes, in order, until none has shown for the
    // quiet window; the first may take up to `first`. Each is answered (No
    // for a question, else OK) so that the program goes on.
    Messages TakeMessages(milliseconds first = milliseconds(0)) const;
    // Answers the program's Open or Save dialog with the path; true once it closed.
    bool AnswerFileDialog(const std::string& path) const;
    // The program's Open or Save dialog (the one with a file name box), or null.
    HWND WaitForFileDialog() const;
    // The wait dialog of a lock (a caption-less dialog without buttons), or
    // null; label gets its text.
    HWND FindLockWaitDialog(std::string* label = nullptr) const;

    // True when the user-interface thread answers a sent message in time;
    // WaitUntilIdle returns once it has handled everything sent before.
    bool Answers(milliseconds within) const
    {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(mainDialog, WM_NULL, 0, 0, SMTO_NORMAL, UINT(within.count()), &result) != 0;
    }
    void WaitUntilIdle() const { Answers(seconds(15)); }

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
    Lines CallLogLines() const;
    size_t LogSize() const { return CallLogLines().size(); }
    Lines CallsFrom(const std::string& prefix, size_t from = 0) const;
    bool WaitForCall(const std::string& prefix, size_t from = 0, milliseconds timeout = kEventTimeout) const
    {
        return WaitFor([&] { return FindLine(CallLogLines(), prefix, from) != std::string::npos; }, timeout);
    }

    // What the bars, the lock icon and the notification-area icon show on
    // the screen: all locked (green), all not locked (red), or nothing while
    // they disagree.
    std::optional<bool> LockShown() const;
    bool WaitForLockShown(bool locked, milliseconds timeout = kEventTimeout) const
    {
        return WaitFor([&] { return LockShown() == locked; }, timeout);
    }
    // A mouse message on the notification-area icon, as the system reports it.
    void TrayIconMouse(UINT message) const { PostMessageA(Frame(), kTrayCallback, kTrayIconId, message); }
    // The icon's menu opened as a right click does; null when it did not appear.
    HWND OpenTrayMenu() const;
    // The icon's menu, opened, read and closed; empty when it did not appear.
    std::vector<std::wstring> TrayMenu() const;

private:
    HWND FindDialog(bool messageBox) const;

    std::string folder;
    ProgramProcess process;
    HWND mainDialog = nullptr;
};
