// Runs Lumisat.exe under test: an installation folder of its own with the
// simulated card, its registry values, and the means to drive its windows and
// answer its message boxes. The program is always ended when the run is.
#pragma once

#include "tests/e2e/ControlDriving.h"
#include "tests/e2e/ProgramProcess.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

constexpr char kMainTitle[] = "NorvaneData V1.7.2.0";
// The hidden frame window, and the message other programs post to it to ask
// Lumisat to end.
constexpr char kFrameClass[] = "SkyfoldClass";
constexpr char kExitRequestMessage[] = "{CAE549C8-83E9-4266-8AE4-2051746EA788}";

// Waits until the condition holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

class LumisatRun {
public:
    // A fresh installation folder named after the test, with the program,
    // the simulator and the shipped language files; the settings key is reset.
    explicit LumisatRun(const std::string& name);
    LumisatRun(const LumisatRun&) = delete;
    LumisatRun& operator=(const LumisatRun&) = delete;

    const std::string& Folder() const { return folder; }   // ends in a backslash
    std::string PathOf(const std::string& file) const { return folder + file; }

    // The simulator's configuration; a call log "Quarlink.log" is always added.
    void WriteIni(const std::string& text);
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    void SetRegistryString(const char* name, const std::string& value) const;
    void SetRegistryNumber(const char* name, DWORD value) const;
    std::string RegistryString(const char* name) const;
    bool RegistryNumber(const char* name, DWORD& value) const;

    // Starts the program and waits for its main dialog.
    bool Start();
    // Starts the program without waiting for anything.
    bool Launch();
    // Starts another instance from the same folder and waits for it to end;
    // returns its exit code, or STILL_ACTIVE when it did not end.
    DWORD StartSecondInstance();
    bool IsRunning() const;
    // Waits for the process to end; false when it did not in time.
    bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(15));
    void Kill();

    DWORD ProcessId() const { return process.Id(); }
    HWND MainDialog() const { return mainDialog; }
    HWND Frame() const;
    // The window of this process with the given class and title (either may be null).
    HWND FindTopLevel(const char* className, const char* title) const;
    // A visible message box of the program: a titled dialog, not the main
    // one, with the text control 65535 and an OK or Yes button.
    HWND WaitForMessageBox(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    bool NoMessageBoxFor(std::chrono::milliseconds time) const;

    // The call log of the simulator, whole, and its lines.
    std::string CallLog() const;
    std::vector<std::string> CallLogLines() const;
    // Waits for a log line that starts with the prefix, after `from` lines.
    bool WaitForCall(const std::string& prefix, size_t from = 0,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // Asks the running program to exit as other programs do (wParam 1).
    void RequestExit(WPARAM wParam = 1) const;

private:
    std::string folder;
    ProgramProcess process;
    HWND mainDialog = nullptr;
};

// Window helpers that work across processes.
std::string WindowText(HWND window);
std::string MessageBoxText(HWND box);
// Finds a control by identifier anywhere below the window (pages included).
HWND FindControl(HWND root, int id);
// The visible one of the windows with this identifier below root (the hold
// buttons share their identifiers with hidden template buttons).
HWND FindVisibleControl(HWND root, int id);
// A button click as the user makes it, posted so that a modal dialog it
// opens does not block the test.
void Click(HWND control);
void ClickIn(HWND root, int id);
void AnswerMessageBox(HWND box, int buttonId);
// Sets an edit control's text (the control tells its parent, as on typing).
void SetText(HWND control, const std::string& text);
