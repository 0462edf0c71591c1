// The measurements of the Win32 benchmarks. Each fills its samples and
// returns false, with the reason on standard error, when it could not run.
// Those of Lumisat hold one entry per build measured (MeasuredBuilds), the
// builds alternating with each other and with the baseline.
#pragma once

#include "bench/win/BenchSetup.h"

#include <map>
#include <string>
#include <vector>

struct LumisatStartupSamples {
    std::vector<double> ms;          // process start to shown and idle
    std::vector<double> peakBytes;   // peak working set once settled
    // The start-up in four stages, from starts with the call log on, each
    // ending when the log shows a call: the process, the frame, the
    // notification icon and the main dialog's window (InitDise); the card,
    // database, pages, languages and lists (the first GetSignalStrAndQu); the
    // silent lock of the initialisation with its DiSEqC pause (LockChannel3);
    // the rest of the initialisation, showing and the first painting.
    std::vector<double> stageMs[4];
};

struct StartupSamples {
    std::vector<LumisatStartupSamples> lumisat;   // per build
    std::vector<double> baselineMs, baselinePeakBytes;
    // The baseline that first loads Lumisat's system libraries: their share.
    std::vector<double> libraryBaselineMs, libraryBaselinePeakBytes;
};

// Every build and the baseline once per round, in turns, after a warm-up round.
bool MeasureStartup(int rounds, const std::vector<LumisatBuild>& builds, StartupSamples& samples);

struct LockLatencySamples {
    // From the click to the StartFilter call, less the simulator's lock time
    // and the DiSEqC pause.
    std::vector<double> totalMs;
    // The same time in four stages, each ending when the call log shows a
    // call: the click reaching the handler (StopFilter), the wait dialog
    // (first SetDiseCom1), the switch commands less the pause and the
    // worker's start (LockChannel3), the wake-up after the worker and the
    // lock shown (StartFilter).
    std::vector<double> stageMs[4];
    // The first Lock Test after each start, kept apart from the others.
    std::vector<double> firstMs;
};

// Lock Test clicks, each on the other of two transponders so that every lock
// waits for the card; per build, in blocks of a few clicks on a fresh start,
// the builds taking turns.
bool MeasureLockLatency(int rounds, const std::vector<LumisatBuild>& builds, std::vector<LockLatencySamples>& samples);

struct IdleSamples {
    // CPU time over the window in % of one core: under Wine from the Linux
    // kernel's counters of the process (every thread of it, Wine's own
    // included), else from GetProcessTimes.
    std::vector<double> lumisatPercent, baselinePercent;
    std::vector<double> lumisatReportedPercent;   // what GetProcessTimes said, for comparison
    bool fromKernel = false;
};

// Lumisat with the card locked and the baseline side by side, a fresh pair
// per round (the build beside the benchmarks only: a minute a round).
bool MeasureIdleCost(int rounds, int seconds, IdleSamples& samples);

struct ScanSamples {
    struct Kind {
        // From the click to the lock after the last step, less the switch
        // command's pauses (the locks take no time).
        std::vector<double> totalMs;
        std::vector<double> perStepMs;     // that time over the steps
        std::vector<double> worstStepMs;   // the longest from one step's lock to the next, less a pause in it
    };
    Kind terrestrial;   // Full Scan of the 57 frequencies of the raster
    Kind check;         // Scan.... of a satellite of 100 transponders, 50 of each polarisation
};

// Full Scan and Scan.... clicked again and again, on one start per build
// and kind, the builds taking turns block by block.
bool MeasureScans(int rounds, const std::vector<LumisatBuild>& builds, std::vector<ScanSamples>& samples);

// The start-up held still before InitDise (the process, its libraries, the
// hidden frame, the notification icon and the main dialog's window), before
// GetCIInfo (+ the simulator's card model made by InitDise, which the
// vendor's library replaces on a real machine), before the first
// GetSignalStrAndQu (+ the database, the pages, the language, the lists and
// the level bars), before GetNetMACAddr (+ the first reading and the help
// system) and before the first SetDiseCom1 (+ the MAC addresses); then
// shown and settled (+ the silent lock, showing and painting).
constexpr std::size_t kHeldStages = 5;
struct MemorySamples {
    std::vector<double> stageBytes[kHeldStages + 1];   // working set at each stage
    std::vector<double> peakBytes;
    std::vector<std::map<std::string, double>> mapped;   // settled, KB by MappingGroup
    std::vector<double> signalWindowBytes;               // added by opening the signal window once settled
    // Settled working sets of starts without the call log: as the scenario,
    // with "TraceLog" = 1, and started hidden ("/tray", as with Windows).
    std::vector<double> settledBytes, logOnBytes, hiddenBytes;
};

// The group a mapping of the Linux process counts in: the program's or the
// simulator's image, a Windows library by name, the Unix libraries, fonts,
// shared images, other files, private memory.
std::string MappingGroup(const std::string& mapping);

// Each build once per round, the baseline after them (its peak and mappings only).
bool MeasureMemory(int rounds, const std::vector<LumisatBuild>& builds, MemorySamples& baseline,
                   std::vector<MemorySamples>& samples);
