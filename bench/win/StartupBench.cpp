// Start-up time and peak working set of Lumisat against the baseline dialog.
#include "bench/win/BenchSetup.h"
#include "bench/win/CallLogWatch.h"
#include "bench/win/Measurements.h"

#include <cstdio>
#include <thread>

namespace {
// Long enough for Lumisat's first lock (timer 503 fires 110 ms after start-up).
constexpr DWORD kSettleMs = 1500;
constexpr unsigned kStageTimeoutMs = 30000;

bool StartLumisat(double& ms, double& peakBytes)
{
    LumisatRun run("bench_startup");
    PrepareLumisat(run, false);
    MeasuredProgram program;
    ms = program.StartUntilShown(kLumisatExe, run.Folder(), kProgramTitle);
    if (ms < 0) {
        std::fprintf(stderr, "Lumisat did not show its main dialog\n");
        return false;
    }
    Sleep(kSettleMs);
    peakBytes = program.PeakWorkingSetBytes();
    EndLumisat(program);
    return peakBytes > 0;
}

// A start with the simulator's call log on, watched from a second thread:
// where the time goes. Kept apart from the measured starts because writing
// and watching the log costs time of its own.
bool StartLumisatInStages(StartupSamples& samples)
{
    LumisatRun run("bench_startup_stages");
    PrepareLumisat(run, true);
    const CallLogWatch log(run.PathOf("Quarlink.log"));
    const BenchClock::time_point start = BenchClock::now();
    std::vector<double> seen;
    std::thread watcher([&] {
        seen = log.WaitForCalls({"InitDise(", "GetSignalStrAndQu(", "LockChannel3("}, 0, start, kStageTimeoutMs);
    });
    MeasuredProgram program;
    const double shownMs = program.StartUntilShown(kLumisatExe, run.Folder(), kProgramTitle);
    watcher.join();
    EndLumisat(program);
    if (shownMs < 0 || seen.size() != 3) {
        std::fprintf(stderr, "Lumisat's start-up calls did not all reach the call log\n");
        return false;
    }
    samples.lumisatStageMs[0].push_back(seen[0]);
    samples.lumisatStageMs[1].push_back(seen[1] - seen[0]);
    samples.lumisatStageMs[2].push_back(seen[2] - seen[1]);
    samples.lumisatStageMs[3].push_back(shownMs - seen[2]);
    return true;
}

bool StartBaseline(double& ms, double& peakBytes, const char* arguments = "")
{
    MeasuredProgram program;
    ms = program.StartUntilShown(kBaselineExe, BenchProgramFolder(), kBaselineTitle, arguments);
    if (ms < 0) {
        std::fprintf(stderr, "%s did not show its dialog\n", kBaselineExe);
        return false;
    }
    Sleep(kSettleMs);
    peakBytes = program.PeakWorkingSetBytes();
    EndBaseline(program);
    return peakBytes > 0;
}
}

bool MeasureStartup(int rounds, StartupSamples& samples)
{
    double ms = 0, peak = 0;
    if (!StartLumisat(ms, peak) || !StartBaseline(ms, peak))
        return false;
    for (int round = 0; round < rounds; ++round) {
        double lumisatMs = 0, lumisatPeak = 0, baselineMs = 0, baselinePeak = 0;
        const bool lumisatFirst = round % 2 == 0;
        bool ok = lumisatFirst ? StartLumisat(lumisatMs, lumisatPeak) && StartBaseline(baselineMs, baselinePeak)
                               : StartBaseline(baselineMs, baselinePeak) && StartLumisat(lumisatMs, lumisatPeak);
        if (!ok)
            return false;
        double libraryMs = 0, libraryPeak = 0;
        if (!StartBaseline(libraryMs, libraryPeak, "/with-lumisat-dlls"))
            return false;
        if (!StartLumisatInStages(samples))
            return false;
        samples.libraryBaselineMs.push_back(libraryMs);
        samples.libraryBaselinePeakBytes.push_back(libraryPeak);
        samples.lumisatMs.push_back(lumisatMs);
        samples.baselineMs.push_back(baselineMs);
        samples.lumisatPeakBytes.push_back(lumisatPeak);
        samples.baselinePeakBytes.push_back(baselinePeak);
    }
    return true;
}
