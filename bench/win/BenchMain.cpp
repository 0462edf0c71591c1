// The Win32 benchmarks of Lumisat, each against a baseline measured in the
// same run: start-up and peak working set against a minimal dialog program,
// the Lock Test latency, the idle CPU cost, and the scans' own time per step.
// Prints medians and whether each target was met. Run by bench/run.sh.
//
// Usage: lumisat_bench [--rounds N] [--idle-seconds S] [--only startup|lock|idle|scan|memory]
#include "bench/win/BenchProcess.h"
#include "bench/win/BenchSetup.h"
#include "bench/win/Measurements.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {
constexpr double kStartupRatioTarget = 2.5;
constexpr double kMemoryAllowanceMb = 8.0;
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

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// "Lumisat 12.3 ms" or "before 15.0 ms, Lumisat 12.3 ms": one median per build.
std::string PerBuild(const std::vector<LumisatBuild>& builds, const std::function<double(std::size_t)>& value,
                     const char* format = "%.1f ms")
{
    std::string text;
    for (std::size_t i = 0; i < builds.size(); ++i) {
        char figure[64];
        std::snprintf(figure, sizeof figure, format, value(i));
        text += (i == 0 ? "" : ", ") + std::string(builds[i].label) + " " + figure;
    }
    return text;
}

bool RunStartup(const Options& options, const std::vector<LumisatBuild>& builds)
{
    StartupSamples samples;
    if (!MeasureStartup(options.rounds, builds, samples))
        return false;
    const LumisatStartupSamples& current = samples.lumisat.back();
    const double lumisat = Median(current.ms), baseline = Median(samples.baselineMs);
    std::printf("Start-up to shown and idle: %s; baseline %.1f ms, ratio %.2f (target <= %.1f): %s\n",
                PerBuild(builds, [&](std::size_t i) { return Median(samples.lumisat[i].ms); }).c_str(), baseline,
                lumisat / baseline, kStartupRatioTarget, Verdict(lumisat <= kStartupRatioTarget * baseline));
    const double lumisatMb = Median(current.peakBytes) / kMegabyte;
    const double baselineMb = Median(samples.baselinePeakBytes) / kMegabyte;
    std::printf("Peak working set: %s; baseline %.1f MB, difference %+.1f MB (target <= +%.0f MB): %s\n",
                PerBuild(
                    builds, [&](std::size_t i) { return Median(samples.lumisat[i].peakBytes) / kMegabyte; }, "%.1f MB")
                    .c_str(),
                baselineMb, lumisatMb - baselineMb, kMemoryAllowanceMb,
                Verdict(lumisatMb - baselineMb <= kMemoryAllowanceMb));
    std::printf("  the baseline loading Lumisat's system libraries first: %.1f ms, %.1f MB\n",
                Median(samples.libraryBaselineMs), Median(samples.libraryBaselinePeakBytes) / kMegabyte);
    static const char* const kStages[] = {"to InitDise", "card, database, pages, languages and lists",
                                          "silent lock with the DiSEqC pause", "to shown and idle"};
    std::printf("  stages (starts with the call log on, medians; the pause is %d ms):\n", kDiseqcPauseMs);
    for (int stage = 0; stage < 4; ++stage)
        std::printf("    %s: %s\n", kStages[stage],
                    PerBuild(builds, [&](std::size_t i) { return Median(samples.lumisat[i].stageMs[stage]); }).c_str());
    return true;
}

bool RunLockLatency(const Options& options, const std::vector<LumisatBuild>& builds)
{
    std::vector<LockLatencySamples> samples;
    if (!MeasureLockLatency(options.rounds, builds, samples))
        return false;
    const double median = Median(samples.back().totalMs);
    std::printf("Lock Test to StartFilter, less the 100 ms DiSEqC pause and the 0 ms lock: %s (target < %.0f ms): %s\n",
                PerBuild(builds, [&](std::size_t i) { return Median(samples[i].totalMs); }).c_str(),
                kLockLatencyTargetMs, Verdict(median < kLockLatencyTargetMs));
    std::printf("  the first Lock Test after a start: %s\n",
                PerBuild(builds, [&](std::size_t i) { return Median(samples[i].firstMs); }).c_str());
    static const char* const kStages[] = {"click to handler", "wait dialog", "switch commands and worker start",
                                          "worker to filter started"};
    std::printf("  stages (medians; the switch commands less the pause):\n");
    for (int stage = 0; stage < 4; ++stage)
        std::printf("    %s: %s\n", kStages[stage],
                    PerBuild(builds, [&](std::size_t i) { return Median(samples[i].stageMs[stage]); }).c_str());
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
void PrintScanKind(const char* what, const std::vector<LumisatBuild>& builds, const std::vector<ScanSamples>& samples,
                   ScanSamples::Kind ScanSamples::*kind)
{
    const double worst = Median((samples.back().*kind).worstStepMs);
    std::printf("%s, per step: %s\n", what,
                PerBuild(
                    builds, [&](std::size_t i) { return Median((samples[i].*kind).perStepMs); }, "%.2f ms")
                    .c_str());
    std::printf("    in all %s; the longest step %s (target <= %.0f ms a step): %s\n",
                PerBuild(builds, [&](std::size_t i) { return Median((samples[i].*kind).totalMs); }).c_str(),
                PerBuild(builds, [&](std::size_t i) { return Median((samples[i].*kind).worstStepMs); }).c_str(),
                kScanStepTargetMs, Verdict(worst <= kScanStepTargetMs));
}

bool RunScans(const Options& options, const std::vector<LumisatBuild>& builds)
{
    std::vector<ScanSamples> samples;
    if (!MeasureScans(options.rounds, builds, samples))
        return false;
    std::printf("Scans with 0 ms locks, their own time (less the %d ms DiSEqC pauses), from the click to the lock "
                "after the last step:\n",
                kDiseqcPauseMs);
    PrintScanKind("  Full Scan, 57 terrestrial frequencies", builds, samples, &ScanSamples::terrestrial);
    PrintScanKind("  Scan...., 100 transponders", builds, samples, &ScanSamples::check);
    std::printf("  (the longest step includes the opening of the progress window or the closing before the lock)\n");
    return true;
}

// The median of one group's kilobytes over the rounds (0 where it was not mapped).
double MedianMapped(const MemorySamples& samples, const std::string& group)
{
    std::vector<double> values;
    for (const auto& mapped : samples.mapped) {
        const auto found = mapped.find(group);
        values.push_back(found == mapped.end() ? 0.0 : found->second);
    }
    return Median(values);
}

bool RunMemory(const Options& options, const std::vector<LumisatBuild>& builds)
{
    constexpr int kMostRounds = 3;   // the figures hardly vary; each round starts every program twice
    const int rounds = std::min(options.rounds, kMostRounds);
    MemorySamples baseline;
    std::vector<MemorySamples> samples;
    if (!MeasureMemory(rounds, builds, baseline, samples))
        return false;
    const auto megabytes = [&](std::size_t stage) {
        return [&, stage](std::size_t i) {
            const double now = Median(samples[i].stageBytes[stage]);
            return (stage == 0 ? now : now - Median(samples[i].stageBytes[stage - 1])) / kMegabyte;
        };
    };
    static const char* const kStages[] = {
        "held before InitDise: the process, its libraries, the frame, the notification icon, the main window",
        "+ the simulator's card model (InitDise; the vendor's library on a real machine)",
        "+ the database, the pages, the language, the lists and the level bars",
        "+ the first reading and the help system",
        "+ the MAC addresses (the setup API's device lists)",
        "+ the silent lock, showing and painting (settled)"};
    std::printf("Memory of the start-up scenario (working set, medians of %d starts of each build):\n", rounds);
    for (std::size_t stage = 0; stage <= kHeldStages; ++stage)
        std::printf("  %s: %s\n", kStages[stage], PerBuild(builds, megabytes(stage), "%+.2f MB").c_str());
    std::printf(
        "  settled %s; peak %s; baseline peak %.1f MB\n",
        PerBuild(
            builds, [&](std::size_t i) { return Median(samples[i].stageBytes[kHeldStages]) / kMegabyte; }, "%.1f MB")
            .c_str(),
        PerBuild(
            builds, [&](std::size_t i) { return Median(samples[i].peakBytes) / kMegabyte; }, "%.1f MB")
            .c_str(),
        Median(baseline.peakBytes) / kMegabyte);
    const auto apart = [&](std::vector<double> MemorySamples::*from, std::vector<double> MemorySamples::*to) {
        return PerBuild(
            builds, [&](std::size_t i) { return (Median(samples[i].*to) - Median(samples[i].*from)) / kMegabyte; },
            "%+.2f MB");
    };
    std::printf("  starts without the call log, settled: %s; started hidden (/tray) %s less\n",
                PerBuild(
                    builds, [&](std::size_t i) { return Median(samples[i].settledBytes) / kMegabyte; }, "%.1f MB")
                    .c_str(),
                apart(&MemorySamples::hiddenBytes, &MemorySamples::settledBytes).c_str());
    std::printf("  not in the scenario: the signal window opened adds %s; the diagnostic log on (\"TraceLog\" = 1) "
                "adds %s\n",
                PerBuild(
                    builds, [&](std::size_t i) { return Median(samples[i].signalWindowBytes) / kMegabyte; }, "%+.2f MB")
                    .c_str(),
                apart(&MemorySamples::settledBytes, &MemorySamples::logOnBytes).c_str());
    std::set<std::string> groups;
    for (const MemorySamples* each : {&baseline, &samples.front(), &samples.back()})
        for (const auto& mapped : each->mapped)
            for (const auto& [group, kilobytes] : mapped)
                groups.insert(group);
    constexpr double kShownKilobytes = 64;
    std::printf("  settled, by what the process maps (resident KB, medians; groups 64 KB or more apart from the "
                "baseline or between the builds):\n");
    double restLumisat = 0, restBaseline = 0;
    for (const std::string& group : groups) {
        const double mine = MedianMapped(samples.back(), group), theirs = MedianMapped(baseline, group);
        const double earlier = MedianMapped(samples.front(), group);
        if (std::abs(mine - theirs) < kShownKilobytes && std::abs(mine - earlier) < kShownKilobytes) {
            restLumisat += mine;
            restBaseline += theirs;
            continue;
        }
        std::printf("    %s: %s; baseline %.0f\n", group.c_str(),
                    PerBuild(
                        builds, [&](std::size_t i) { return MedianMapped(samples[i], group); }, "%.0f")
                        .c_str(),
                    theirs);
    }
    std::printf("    everything else: Lumisat %.0f; baseline %.0f\n", restLumisat, restBaseline);
    return true;
}
}   // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: lumisat_bench [--rounds N] [--idle-seconds S] [--only startup|lock|idle|scan|memory]\n");
        return 2;
    }
    std::printf("Medians of %d rounds.\n", options.rounds);
    std::fflush(stdout);
    const std::vector<LumisatBuild> builds = MeasuredBuilds();
    if (builds.size() > 1)
        std::printf("Builds: \"before\" from %s, \"Lumisat\" from %s\n", builds.front().bin.c_str(),
                    BenchProgramFolder().c_str());
    bool ok = true;
    if (options.only.empty() || options.only == "startup")
        ok = RunStartup(options, builds) && ok;
    std::fflush(stdout);
    if (options.only.empty() || options.only == "lock")
        ok = RunLockLatency(options, builds) && ok;
    std::fflush(stdout);
    if (options.only.empty() || options.only == "idle")
        ok = RunIdleCost(options) && ok;
    std::fflush(stdout);
    if (options.only.empty() || options.only == "scan")
        ok = RunScans(options, builds) && ok;
    std::fflush(stdout);
    if (options.only.empty() || options.only == "memory")
        ok = RunMemory(options, builds) && ok;
    return ok ? 0 : 1;
}
