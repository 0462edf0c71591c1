// The Win32 benchmarks of Lumisat, each against a baseline measured in the
// same run: start-up and peak working set against a minimal dialog program,
// the Lock Test latency, the idle CPU cost, and the scans' own time per step.
// Prints medians and whether each target was met. Run by bench/run.sh.
//
// Usage: lumisat_bench [--rounds N] [--idle-seconds S] [--only startup|lock|idle|scan]
#include "bench/win/BenchProcess.h"
#include "bench/win/BenchSetup.h"
#include "bench/win/Measurements.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr double kStartupRatioTarget = 1.3;
constexpr double kMemoryAllowanceMb = 4.0;
constexpr double kLockLatencyTargetMs = 15.0;
constexpr double kIdleTargetPercent = 0.5;
constexpr double kScanStepTargetMs = 100.0;
constexpr double kMegabyte = 1024.0 * 1024.0;

struct Options {
    int rounds = 10;
    int idleSeconds = 60;
    std::string only;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--rounds") == 0)
            options.rounds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--idle-seconds") == 0)
            options.idleSeconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--only") == 0)
            options.only = argv[i + 1];
        else
            return false;
    }
    return argc % 2 == 1 && options.rounds > 0 && options.idleSeconds > 0;
}

const char* Verdict(bool met)
{
    return met ? "met" : "MISSED";
}

bool RunStartup(const Options& options)
{
    StartupSamples samples;
    if (!MeasureStartup(options.rounds, samples))
        return false;
    const double lumisat = Median(samples.lumisatMs), baseline = Median(samples.baselineMs);
    std::printf("Start-up to shown and idle: Lumisat %.1f ms, baseline %.1f ms, ratio %.2f (target <= %.1f): %s\n",
                lumisat, baseline, lumisat / baseline, kStartupRatioTarget,
                Verdict(lumisat <= kStartupRatioTarget * baseline));
    const double lumisatMb = Median(samples.lumisatPeakBytes) / kMegabyte;
    const double baselineMb = Median(samples.baselinePeakBytes) / kMegabyte;
    std::printf("Peak working set: Lumisat %.1f MB, baseline %.1f MB, difference %+.1f MB (target <= +%.0f MB): %s\n",
                lumisatMb, baselineMb, lumisatMb - baselineMb, kMemoryAllowanceMb,
                Verdict(lumisatMb - baselineMb <= kMemoryAllowanceMb));
    std::printf("  the baseline loading Lumisat's system libraries first: %.1f ms, %.1f MB\n",
                Median(samples.libraryBaselineMs), Median(samples.libraryBaselinePeakBytes) / kMegabyte);
    std::printf("  Lumisat's stages (starts with the call log on, medians): to InitDise %.1f ms, card, database, "
                "pages, languages and lists %.1f ms, silent lock with the %d ms DiSEqC pause %.1f ms, "
                "to shown and idle %.1f ms\n",
                Median(samples.lumisatStageMs[0]), Median(samples.lumisatStageMs[1]), kDiseqcPauseMs,
                Median(samples.lumisatStageMs[2]), Median(samples.lumisatStageMs[3]));
    return true;
}

bool RunLockLatency(const Options& options)
{
    LockLatencySamples samples;
    if (!MeasureLockLatency(options.rounds, samples))
        return false;
    const double median = Median(samples.totalMs);
    std::printf("Lock Test to StartFilter, less the 100 ms DiSEqC pause and the 0 ms lock: %.1f ms "
                "(target < %.0f ms): %s\n",
                median, kLockLatencyTargetMs, Verdict(median < kLockLatencyTargetMs));
    std::printf("  stages (medians): click to handler %.1f ms, wait dialog %.1f ms, switch commands and worker "
                "start %.1f ms, worker to filter started %.1f ms\n",
                Median(samples.stageMs[0]), Median(samples.stageMs[1]), Median(samples.stageMs[2]),
                Median(samples.stageMs[3]));
    return true;
}

bool RunIdleCost(const Options& options)
{
    IdleSamples samples;
    if (!MeasureIdleCost(options.rounds, options.idleSeconds, samples))
        return false;
    const double lumisat = Median(samples.lumisatPercent);
    std::printf("Idle CPU over %d s with the card locked: Lumisat %.3f %%, baseline %.3f %% of one core "
                "(target < %.1f %%): %s\n",
                options.idleSeconds, lumisat, Median(samples.baselinePercent), kIdleTargetPercent,
                Verdict(lumisat < kIdleTargetPercent));
    std::printf("  (CPU times from %s; GetProcessTimes reported %.3f %% for Lumisat)\n",
                samples.fromKernel ? "the Linux process's /proc/<pid>/stat" : "GetProcessTimes",
                Median(samples.lumisatReportedPercent));
    return true;
}
void PrintScanKind(const char* what, const ScanSamples::Kind& kind)
{
    const double worst = Median(kind.worstStepMs);
    std::printf("%s: %.1f ms in all, %.2f ms per step, the longest step %.1f ms (target <= %.0f ms a step): %s\n",
                what, Median(kind.totalMs), Median(kind.perStepMs), worst, kScanStepTargetMs,
                Verdict(worst <= kScanStepTargetMs));
}

bool RunScans(const Options& options)
{
    ScanSamples samples;
    if (!MeasureScans(options.rounds, samples))
        return false;
    std::printf("Scans with 0 ms locks, their own time (less the %d ms DiSEqC pauses), from the click to the lock "
                "after the last step:\n", kDiseqcPauseMs);
    PrintScanKind("  Full Scan, 57 terrestrial frequencies", samples.terrestrial);
    PrintScanKind("  Scan...., 100 transponders", samples.check);
    std::printf("  (the longest step includes the opening of the progress window or the closing before the lock)\n");
    return true;
}
}

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: lumisat_bench [--rounds N] [--idle-seconds S] [--only startup|lock|idle|scan]\n");
        return 2;
    }
    std::printf("Medians of %d rounds.\n", options.rounds);
    std::fflush(stdout);
    bool ok = true;
    if (options.only.empty() || options.only == "startup")
        ok = RunStartup(options) && ok;
    std::fflush(stdout);
    if (options.only.empty() || options.only == "lock")
        ok = RunLockLatency(options) && ok;
    std::fflush(stdout);
    if (options.only.empty() || options.only == "idle")
        ok = RunIdleCost(options) && ok;
    std::fflush(stdout);
    if (options.only.empty() || options.only == "scan")
        ok = RunScans(options) && ok;
    return ok ? 0 : 1;
}
