#include "bench/win/BenchProcess.h"

#include <psapi.h>

#include <algorithm>

namespace {
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kEndTimeoutMs = 15000;

struct WindowSearch {
    DWORD processId;
    const char* windowClass;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char text[256] = {};
    if (search->windowClass != nullptr) {
        GetClassNameA(window, text, sizeof(text));
        if (lstrcmpA(text, search->windowClass) != 0)
            return TRUE;
    }
    if (search->title != nullptr) {
        GetWindowTextA(window, text, sizeof(text));
        if (lstrcmpA(text, search->title) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

double FileTimeMilliseconds(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;
}
}

double MillisecondsSince(BenchClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

HWND FindProcessWindow(DWORD processId, const char* windowClass, const char* title)
{
    WindowSearch search{processId, windowClass, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

MeasuredProgram::~MeasuredProgram()
{
    if (process.hProcess == nullptr)
        return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kEndTimeoutMs);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

double MeasuredProgram::StartUntilShown(const std::string& exe, const std::string& folder, const char* title)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string command = "\"" + folder + exe + "\"";
    const BenchClock::time_point start = BenchClock::now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return -1.0;
    if (WaitForInputIdle(process.hProcess, kStartTimeoutMs) != 0)
        return -1.0;
    // Idle may come before the window is shown; poll finely, a sleep is about 1 ms.
    while ((window = FindProcessWindow(process.dwProcessId, nullptr, title)) == nullptr) {
        if (MillisecondsSince(start) > kStartTimeoutMs || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            return -1.0;
        Sleep(1);
    }
    return MillisecondsSince(start);
}

double MeasuredProgram::CpuMilliseconds() const
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user))
        return -1.0;
    return FileTimeMilliseconds(kernel) + FileTimeMilliseconds(user);
}

double MeasuredProgram::PeakWorkingSetBytes() const
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters)))
        return -1.0;
    return static_cast<double>(counters.PeakWorkingSetSize);
}

void MeasuredProgram::End(const char* windowClass, UINT message, WPARAM wParam)
{
    if (process.hProcess == nullptr)
        return;
    // The class may belong to a hidden window (Lumisat's frame): look without the visibility rule.
    HWND target = nullptr;
    for (HWND candidate = FindWindowExA(nullptr, nullptr, windowClass, nullptr); candidate != nullptr;
         candidate = FindWindowExA(nullptr, candidate, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (owner == process.dwProcessId) {
            target = candidate;
            break;
        }
    }
    if (target != nullptr)
        PostMessageA(target, message, wParam, 0);
    if (WaitForSingleObject(process.hProcess, kEndTimeoutMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kEndTimeoutMs);
}
