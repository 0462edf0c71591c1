// Start-up time and peak working set of Lumisat against the baseline dialog.
#include "bench/win/BenchSetup.h"
#include "bench/win/CallLogWatch.h"
#include "bench/win/Measurements.h"

#include <cstdio>
#include <functional>
#include <thread>

namespace {
// Long enough for Lumisat's first lock (timer 503 fires 110 ms after start-up).
constexpr DWORD kSettleMs = 1500;
constexpr unsigned kStageTimeoutMs = 30000;

bool StartLumisat(const LumisatBuild& build, LumisatStartupSamples& samples)
{
    LumisatRun run("bench_startup");
    if (!PrepareLumisat(run, build, false))
        return false;
    MeasuredProgram program;
    const double ms = program.StartUntilShown(kLumisatExe, run.Folder(), kProgramTitle);
    if (ms < 0) {
        std::fprintf(stderr, "%s did not show its main dialog\n", build.label);
        return false;
    }
    Sleep(kSettleMs);
    const double peakBytes = program.PeakWorkingSetBytes();
    EndLumisat(program);
    samples.ms.push_back(ms);
    samples.peakBytes.push_back(peakBytes);
    return peakBytes > 0;
}

// A start with the simulator's call log on, watched from a second thread:
// where the time goes. Kept apart from the measured starts because writing
// and watching the log costs time of its own.
bool StartLumisatInStages(const LumisatBuild& build, LumisatStartupSamples& samples)
{
    LumisatRun run("bench_startup_stages");
    if (!PrepareLumisat(run, build, true))
        return false;
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
        std::fprintf(stderr, "%s: the start-up calls did not all reach the call log\n", build.label);
        return false;
    }
    samples.stageMs[0].push_back(seen[0]);
    samples.stageMs[1].push_back(seen[1] - seen[0]);
    samples.stageMs[2].push_back(seen[2] - seen[1]);
    samples.stageMs[3].push_back(shownMs - seen[2]);
    return true;
}

bool StartBaseline(std::vector<double>& ms, std::vector<double>& peakBytes, const char* arguments = "")
{
    MeasuredProgram program;
    const double shown = program.StartUntilShown(kBaselineExe, BenchProgramFolder(), kBaselineTitle, arguments);
    if (shown < 0) {
        std::fprintf(stderr, "%s did not show its dialog\n", kBaselineExe);
        return false;
    }
    Sleep(kSettleMs);
    const double peak = program.PeakWorkingSetBytes();
    EndBaseline(program);
    ms.push_back(shown);
    peakBytes.push_back(peak);
    return peak > 0;
}
}   // namespace

bool MeasureStartup(int rounds, const std::vector<LumisatBuild>& builds, StartupSamples& samples)
{
    // The programs of a round: every build, then the baseline; each round
    // starts one further on, so that no program always follows the same one.
    std::vector<std::function<bool()>> starts;
    samples.lumisat.assign(builds.size(), LumisatStartupSamples{});
    for (std::size_t i = 0; i < builds.size(); ++i)
        starts.push_back([&, i] { return StartLumisat(builds[i], samples.lumisat[i]); });
    starts.push_back([&] { return StartBaseline(samples.baselineMs, samples.baselinePeakBytes); });

    StartupSamples warmUp;
    warmUp.lumisat.resize(builds.size());
    for (std::size_t i = 0; i < builds.size(); ++i) {
        if (!StartLumisat(builds[i], warmUp.lumisat[i]))
            return false;
    }
    if (!StartBaseline(warmUp.baselineMs, warmUp.baselinePeakBytes))
        return false;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t turn = 0; turn < starts.size(); ++turn) {
            if (!starts[(turn + static_cast<std::size_t>(round)) % starts.size()]())
                return false;
        }
        if (!StartBaseline(samples.libraryBaselineMs, samples.libraryBaselinePeakBytes, "/with-lumisat-dlls"))
            return false;
        for (std::size_t i = 0; i < builds.size(); ++i) {
            if (!StartLumisatInStages(builds[i], samples.lumisat[i]))
                return false;
        }
    }
    return true;
}
