// Starting, timing, measuring and ending the programs under measurement.
#pragma once

#include "tests/e2e/ProgramProcess.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

double MillisecondsSince(BenchClock::time_point start);

// The whole file, read while others may write it; empty when unreadable.
std::string ReadWholeFileA(const std::string& path);
// Under Wine: the Linux process whose command line holds `commandLine` (the
// Windows one), as a folder "Z:\\proc\\<pid>\\"; empty when there is none.
std::string LinuxProcessFolder(const std::string& commandLine);
// The working set of the process now, and the largest it has had, in bytes;
// negative when unreadable.
double WorkingSetBytes(HANDLE process);
double PeakWorkingSetBytes(HANDLE process);
double Median(std::vector<double> values);

// A program started for a measurement; ended and closed by its destructor.
class MeasuredProgram {
public:
    MeasuredProgram() = default;
    MeasuredProgram(const MeasuredProgram&) = delete;
    MeasuredProgram& operator=(const MeasuredProgram&) = delete;

    // Starts the program in `folder` and waits until it is idle for input
    // (WaitForInputIdle) and its top-level window with `title` is visible.
    // Returns the milliseconds from just before the process was created, or
    // a negative value when it did not get there within 30 s.
    double StartUntilShown(const std::string& exe, const std::string& folder, const char* title,
                           const std::string& arguments = std::string());

    // Starts the program without waiting for anything.
    bool Start(const std::string& exe, const std::string& folder, const std::string& arguments)
    {
        commandLine = folder + exe;
        return program.Start(commandLine, folder, arguments);
    }

    HANDLE Process() const { return program.Handle(); }
    DWORD ProcessId() const { return program.Id(); }
    HWND Window() const { return window; }

    // User plus kernel CPU time used so far, from GetProcessTimes.
    double CpuMilliseconds() const;
    // The same from the Linux kernel's counters of the process that runs the
    // program under Wine (/proc/<pid>/stat, found by its command line);
    // negative when there is no such process (not under Wine).
    double KernelCpuMilliseconds() const;
    // The largest working set the process has had, in bytes.
    double PeakWorkingSetBytes() const { return ::PeakWorkingSetBytes(program.Handle()); }
    double WorkingSetBytes() const { return ::WorkingSetBytes(program.Handle()); }
    std::string LinuxProcessFolder() const { return ::LinuxProcessFolder(commandLine); }

    // Posts `message` to the top-level window of the given class (the
    // program's own way to be asked to end) and waits; kills it after 15 s.
    void End(const char* windowClass, UINT message, WPARAM wParam);

private:
    ProgramProcess program;
    HWND window = nullptr;
    std::string commandLine;
};
