// A Win32 program started from outside, as the end-to-end tests and the
// benchmarks start Lumisat and the programs they compare it with: its
// process, its top-level windows and its end. A started program never
// outlives the object that started it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder named by the environment variable as a Windows path ending in a
// backslash (Wine hands over Unix paths: drive Z: maps the root); empty when
// the variable is unset or too long.
std::string EnvironmentFolder(const char* name);
// The path as the file system names it, without "." and ".." steps.
std::string FullPath(const std::string& path);

// Which top-level windows count: a null class or title matches any.
struct WindowFilter {
    const char* className = nullptr;
    const char* title = nullptr;
    bool visibleOnly = false;
};
// The process's matching top-level windows, topmost first. Titles are read
// without sending a message, so a busy program does not hold the search up.
std::vector<HWND> ProcessWindows(DWORD processId, const WindowFilter& filter);
// The first visible top-level window of the process with this class and title.
inline HWND FindProcessWindow(DWORD processId, const char* windowClass, const char* title)
{
    const std::vector<HWND> windows = ProcessWindows(processId, WindowFilter{windowClass, title, true});
    return windows.empty() ? nullptr : windows.front();
}

class ProgramProcess {
public:
    ProgramProcess() = default;
    ~ProgramProcess() { Release(); }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts the program (a full path) in `folder`, ending first any program
    // this object started before. False when it could not be started.
    bool Start(const std::string& exePath, const std::string& folder, const std::string& arguments = std::string());

    bool IsRunning() const { return info.hProcess != nullptr && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    // True once the program has ended, or when none was started.
    bool WaitForExit(DWORD timeoutMs) const
    {
        return info.hProcess == nullptr || WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }
    // The exit code; STILL_ACTIVE while it runs or when none was started.
    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        return info.hProcess != nullptr && GetExitCodeProcess(info.hProcess, &code) ? code : STILL_ACTIVE;
    }
    // Ends the program at once (exit code 1) and waits until it is gone.
    void Kill();
    // Posts `message` to the program's top-level window of `windowClass`,
    // hidden or not (the program's own way to be asked to end), and waits;
    // kills it when it has not ended after `timeoutMs`. True when it ended by itself.
    bool EndThrough(const char* windowClass, UINT message, WPARAM wParam, DWORD timeoutMs);

    HANDLE Handle() const { return info.hProcess; }
    DWORD Id() const { return info.dwProcessId; }
    // The first of its top-level windows that matches; null when none does.
    HWND TopLevelWindow(const WindowFilter& filter) const
    {
        const std::vector<HWND> windows =
            info.hProcess ? ProcessWindows(info.dwProcessId, filter) : std::vector<HWND>{};
        return windows.empty() ? nullptr : windows.front();
    }

private:
    void Release();

    PROCESS_INFORMATION info{};
};
