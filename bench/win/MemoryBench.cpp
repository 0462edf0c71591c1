// Where the working set of the start-up scenario goes. Lumisat is held still
// inside a driver call at each stage of its start (the simulator delays the
// call), and its working set is read there; the settled program's memory is
// then split by what it maps (the Linux process's smaps under Wine), beside
// the baseline dialog's. What only a user's action makes (the signal window,
// the diagnostic log) is measured on top, apart from the scenario.
#include "bench/win/BenchSetup.h"
#include "bench/win/CallLogWatch.h"
#include "bench/win/Measurements.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {
constexpr DWORD kSettleMs = 1500;
// Long enough for the working set to be read while the call waits.
constexpr unsigned kStageDelayMs = 1500;
// The working set has stopped changing: the program waits in the call.
constexpr double kStillForMs = 250;

struct StageCall {
    const char* call;       // delayed, so that the program is held before it
    const char* previous;   // the call log shows this once the program is there
};
// The stages, as Measurements.h names them.
constexpr StageCall kStageCalls[] = {{"InitDise", nullptr},
                                     {"GetCIInfo", "InitDise("},
                                     {"GetSignalStrAndQu", "GetCIInfo("},
                                     {"GetNetMACAddr", "GetDeviceType("},
                                     {"SetDiseCom1", "SetFilterMAC("}};
static_assert(std::size(kStageCalls) == kHeldStages);

std::string StageFaults()
{
    std::string faults;
    for (const StageCall& stage : kStageCalls)
        faults += "[Fault " + std::string(stage.call) + "]\nDelayMs=" + std::to_string(kStageDelayMs) + "\nCount=1\n";
    return faults;
}

// Waits until the working set has not changed for a while: the program is
// held in the delayed call. Negative when that did not happen in time.
double StillWorkingSet(HANDLE process)
{
    const BenchClock::time_point start = BenchClock::now();
    double last = WorkingSetBytes(process);
    BenchClock::time_point since = BenchClock::now();
    while (MillisecondsSince(start) < kStageDelayMs) {
        Sleep(10);
        const double now = WorkingSetBytes(process);
        if (now != last) {
            last = now;
            since = BenchClock::now();
        } else if (MillisecondsSince(since) >= kStillForMs) {
            return now;
        }
    }
    return -1.0;
}

// Resident kilobytes of the process by what they map (smaps' Rss).
std::map<std::string, double> MappedKilobytes(const std::string& linuxProcess)
{
    std::map<std::string, double> kilobytes;
    std::istringstream smaps(ReadWholeFileA(linuxProcess + "smaps"));
    std::string line, mapping;
    while (std::getline(smaps, line)) {
        unsigned long long from = 0, to = 0;
        char name[512] = {};
        if (std::sscanf(line.c_str(), "%llx-%llx %*s %*s %*s %*s %511[^\n]", &from, &to, name) >= 2 && to > from) {
            mapping = name;
        } else if (line.rfind("Rss:", 0) == 0) {
            kilobytes[MappingGroup(mapping)] += std::atof(line.c_str() + 4);
        }
    }
    return kilobytes;
}

bool HeldAt(const CallLogWatch& log, const StageCall& stage, const LumisatRun& run)
{
    if (stage.previous != nullptr)
        return log.WaitForCall(stage.previous, 0, 10000);
    // Before the first call: once the main dialog's window is there.
    return WaitFor([&] {
        return !ProcessWindows(run.ProcessId(), WindowFilter{"#32770", kProgramTitle, false}).empty();
    });
}

bool MeasureBuild(const LumisatBuild& build, MemorySamples& samples)
{
    LumisatRun run("bench_memory");
    if (!PrepareLumisat(run, build, true, StageFaults()) || !run.Launch()) {
        std::fprintf(stderr, "%s did not start for the memory measurement\n", build.label);
        return false;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, run.ProcessId());
    const CallLogWatch log(run.PathOf("Quarlink.log"));
    bool ok = process != nullptr;
    for (std::size_t stage = 0; ok && stage < std::size(kStageCalls); ++stage) {
        const double bytes = HeldAt(log, kStageCalls[stage], run) ? StillWorkingSet(process) : -1.0;
        samples.stageBytes[stage].push_back(bytes);
        ok = bytes > 0;
    }
    if (ok && run.WaitForMainDialog()) {
        Sleep(kSettleMs);
        samples.stageBytes[kHeldStages].push_back(WorkingSetBytes(process));
        samples.peakBytes.push_back(PeakWorkingSetBytes(process));
        samples.mapped.push_back(MappedKilobytes(LinuxProcessFolder(run.Folder() + kLumisatExe)));
        // Not in the scenario: what the signal window costs once a user opens it.
        run.PostFrameCommand(kSignalCommand);
        ok = run.WaitForWindow("Signal", seconds(10)) != nullptr || WaitFor([&] {
                 return !ProcessWindows(run.ProcessId(), WindowFilter{"#32770", nullptr, true}).empty();
             });
        Sleep(kSettleMs);
        samples.signalWindowBytes.push_back(WorkingSetBytes(process) - samples.stageBytes[kHeldStages].back());
    } else {
        ok = false;
    }
    if (process != nullptr)
        CloseHandle(process);
    return ok;
}

// The settled working set of a start without the call log, with the
// diagnostic log on or off and the program's arguments.
bool MeasureSettled(const LumisatBuild& build, bool traceLog, const char* arguments, std::vector<double>& bytes)
{
    LumisatRun run("bench_memory_settled");
    if (!PrepareLumisat(run, build, false))
        return false;
    if (traceLog)
        run.SetRegistryNumber("TraceLog", 1);
    SetEnvironmentVariableA("LOCALAPPDATA", run.Folder().c_str());
    MeasuredProgram program;
    const bool started = *arguments == '\0' ? program.StartUntilShown(kLumisatExe, run.Folder(), kProgramTitle) >= 0
                                            : program.Start(kLumisatExe, run.Folder(), arguments);
    SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
    if (!started)
        return false;
    Sleep(2 * kSettleMs);   // a start without waiting for the window: its lock comes later
    bytes.push_back(program.WorkingSetBytes());
    const bool logged = run.Exists("Lumisat\\Lumisat.log");
    EndLumisat(program);
    if (traceLog && !logged)
        std::fprintf(stderr, "%s wrote no diagnostic log\n", build.label);
    return !traceLog || logged;
}

}   // namespace

std::string MappingGroup(const std::string& mapping)
{
    const auto endsWith = [&](const char* end) {
        const std::string tail = end;
        return mapping.size() >= tail.size() && _stricmp(mapping.c_str() + mapping.size() - tail.size(), end) == 0;
    };
    const std::size_t slash = mapping.find_last_of('/');
    const std::string file = slash == std::string::npos ? mapping : mapping.substr(slash + 1);
    if (mapping.empty() || mapping == "[heap]" || mapping == "[stack]" || mapping.rfind("[anon", 0) == 0)
        return "private memory (heaps, stacks, the program's data)";
    if (endsWith("Lumisat.exe"))
        return "the program's image (Lumisat.exe)";
    if (endsWith("Quarlink.dll"))
        return "the simulator's image (Quarlink.dll)";
    if (endsWith(".dll") || endsWith(".drv") || endsWith(".ocx") || endsWith(".exe"))
        return "Windows library " + file;
    if (mapping.find(".so") != std::string::npos)
        return "Unix libraries (Wine's and the system's)";
    if (endsWith(".ttf") || endsWith(".otf") || endsWith(".fon") || endsWith(".ttc"))
        return "font files";
    if (mapping.rfind("/SYSV", 0) == 0)
        return "shared memory with the X server (window images)";
    return "other files (locale tables, the theme)";
}

bool MeasureMemory(int rounds, const std::vector<LumisatBuild>& builds, MemorySamples& baseline,
                   std::vector<MemorySamples>& samples)
{
    samples.assign(builds.size(), MemorySamples{});
    return MeasureInTurns(rounds, 1, builds.size(), [&](std::size_t i, int) {
        if (!MeasureBuild(builds[i], samples[i]) || !MeasureSettled(builds[i], true, "", samples[i].logOnBytes) ||
            !MeasureSettled(builds[i], false, "", samples[i].settledBytes) ||
            !MeasureSettled(builds[i], false, "/tray", samples[i].hiddenBytes))
            return false;
        if (i + 1 != builds.size())
            return true;
        // The baseline once per round, after the last build.
        MeasuredProgram program;
        if (program.StartUntilShown(kBaselineExe, BenchProgramFolder(), kBaselineTitle) < 0)
            return false;
        Sleep(kSettleMs);
        baseline.peakBytes.push_back(program.PeakWorkingSetBytes());
        baseline.mapped.push_back(MappedKilobytes(program.LinuxProcessFolder()));
        EndBaseline(program);
        return true;
    });
}
