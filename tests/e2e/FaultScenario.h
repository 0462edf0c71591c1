// What the fault and bad-input scenarios share: files of the source tree,
// the program's message boxes collected as texts, the lock wait dialog, and
// how the process ended.
#pragma once

#include "tests/e2e/Harness.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace faults {

// A file of the source tree (LUMISAT_SOURCE), whole; empty when missing.
std::string SourceFile(const std::string& relativePath);

// The texts of the program's message boxes, in order, until none has shown
// for the quiet time; each is answered (OK, or No for a question) so that the
// program goes on; the first may take up to `first` to show. The wait dialog
// of a lock is not a message box.
std::vector<std::string> TakeMessages(DWORD processId, std::chrono::milliseconds quiet,
                                      std::chrono::milliseconds first = std::chrono::milliseconds(0));
std::vector<std::string> TakeMessages(const LumisatRun& run, std::chrono::milliseconds quiet,
                                      std::chrono::milliseconds first = std::chrono::milliseconds(0));

// The main dialog of the process (message boxes carry its title as well), or null.
HWND MainDialogOf(DWORD processId);

// The "Locking,Please wait......" window of a running lock, or null.
HWND FindLockWaitDialog(const LumisatRun& run);

// True when the window's thread answers a sent message within the time.
bool Answers(HWND window, std::chrono::milliseconds within);

// The exit code of the process once it has ended; kept from a handle taken
// while it ran, since the harness keeps its own.
class ProcessWatch {
public:
    explicit ProcessWatch(DWORD processId);
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

private:
    HANDLE process = nullptr;
};

// While it lives, Wine's X11 driver leaves the program's windows to itself
// instead of to a window manager. The test display has none, so a window
// manager's part would be waited for: hiding an activated window (the lock's
// wait dialog) stalls its thread for two seconds, which Windows never does.
class UnmanagedProgramWindows {
public:
    UnmanagedProgramWindows();
    ~UnmanagedProgramWindows();
    UnmanagedProgramWindows(const UnmanagedProgramWindows&) = delete;
    UnmanagedProgramWindows& operator=(const UnmanagedProgramWindows&) = delete;
};

// Milliseconds the call took.
template <typename Action>
long long MillisecondsOf(Action action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace faults
