#include "bench/win/BenchProcess.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

namespace {
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kEndTimeoutMs = 15000;

double KernelCpuMilliseconds(const std::string& commandLine)
{
    constexpr double kMillisecondsPerTick = 10.0;   // USER_HZ is 100 on Linux
    const std::string folder = LinuxProcessFolder(commandLine);
    if (folder.empty())
        return -1.0;
    const std::string stat = ReadWholeFileA(folder + "stat");
    // Fields after the parenthesised name: state is field 3, utime 14, stime 15.
    const size_t close = stat.rfind(')');
    unsigned long long utime = 0, stime = 0;
    if (close == std::string::npos ||
        std::sscanf(stat.c_str() + close + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) != 2)
        return -1.0;
    return static_cast<double>(utime + stime) * kMillisecondsPerTick;
}

double FileTimeMilliseconds(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;
}
}   // namespace

std::string ReadWholeFileA(const std::string& path)
{
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

// Under Wine a Windows process is a Linux process whose command line is the
// Windows one; Z: maps the root, so /proc is readable from here.
std::string LinuxProcessFolder(const std::string& commandLine)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    std::string result;
    do {
        const std::string name = found.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string folder = "Z:\\proc\\" + name + "\\";
        if (ReadWholeFileA(folder + "cmdline").find(commandLine) != std::string::npos &&
            !ReadWholeFileA(folder + "stat").empty()) {
            result = folder;
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return result;
}

namespace {
double MemoryCounter(HANDLE process, SIZE_T PROCESS_MEMORY_COUNTERS::*counter)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, &counters, sizeof(counters)))
        return -1.0;
    return static_cast<double>(counters.*counter);
}
}   // namespace

double WorkingSetBytes(HANDLE process) { return MemoryCounter(process, &PROCESS_MEMORY_COUNTERS::WorkingSetSize); }

double PeakWorkingSetBytes(HANDLE process)
{
    return MemoryCounter(process, &PROCESS_MEMORY_COUNTERS::PeakWorkingSetSize);
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

double MeasuredProgram::StartUntilShown(const std::string& exe, const std::string& folder, const char* title,
                                        const std::string& arguments)
{
    commandLine = folder + exe;
    const BenchClock::time_point start = BenchClock::now();
    if (!program.Start(commandLine, folder, arguments))
        return -1.0;
    if (WaitForInputIdle(program.Handle(), kStartTimeoutMs) != 0)
        return -1.0;
    // Idle may come before the window is shown; poll finely, a sleep is about 1 ms.
    while ((window = FindProcessWindow(program.Id(), nullptr, title)) == nullptr) {
        if (MillisecondsSince(start) > kStartTimeoutMs || !program.IsRunning())
            return -1.0;
        Sleep(1);
    }
    return MillisecondsSince(start);
}

double MeasuredProgram::CpuMilliseconds() const
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(program.Handle(), &created, &exited, &kernel, &user))
        return -1.0;
    return FileTimeMilliseconds(kernel) + FileTimeMilliseconds(user);
}

double MeasuredProgram::KernelCpuMilliseconds() const { return ::KernelCpuMilliseconds(commandLine); }

void MeasuredProgram::End(const char* windowClass, UINT message, WPARAM wParam)
{
    program.EndThrough(windowClass, message, wParam, kEndTimeoutMs);
}
