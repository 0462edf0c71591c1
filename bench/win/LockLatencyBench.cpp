// From the Lock Test click to the filter started, seen from outside: the
// click is posted as the user's is, and the StartFilter line of the call log
// marks the end.
#include "bench/win/BenchSetup.h"
#include "bench/win/CallLogWatch.h"
#include "bench/win/Measurements.h"
#include "tests/e2e/Scenario.h"

#include <cstdio>

namespace {
constexpr unsigned kLockTimeoutMs = 10000;
// Lets the signal poll and the statistics refresh that a transponder change
// may meet finish before the click.
constexpr DWORD kQuietBeforeClickMs = 300;
// Clicks on one start of a build before the next build takes its turn.
constexpr int kClicksPerBlock = 5;

// One start of the build: the first Lock Test, then `clicks` measured ones,
// each on the other transponder.
bool MeasureBlock(const LumisatBuild& build, int clicks, LockLatencySamples& samples)
{
    LumisatRun run("bench_lock");
    if (!PrepareLumisat(run, build, true) || !run.Start()) {
        std::fprintf(stderr, "%s did not start for the lock measurement\n", build.label);
        return false;
    }
    run.WaitForStartupLock();
    HWND lockTest = FindControl(run.MainDialog(), kLockTestButton);
    HWND frequencies = FindControl(run.MainDialog(), kFrequencyCombo);
    if (lockTest == nullptr || frequencies == nullptr) {
        std::fprintf(stderr, "no Dish Setting page: the card is not a satellite card\n");
        return false;
    }
    const CallLogWatch log(run.PathOf("Quarlink.log"));
    for (int click = -1; click < clicks; ++click) {
        ChooseItemNow(frequencies, (click + 2) % 2);
        Sleep(kQuietBeforeClickMs);
        const unsigned long long from = log.Size();
        const BenchClock::time_point start = BenchClock::now();
        Click(lockTest);
        const std::vector<double> seen = log.WaitForCalls(
            {"StopFilter(", "SetDiseCom1(", "LockChannel3(", "StartFilter("}, from, start, kLockTimeoutMs);
        if (seen.empty()) {
            std::fprintf(stderr, "%s, Lock Test %d: the filter was not started (no lock?)\n", build.label, click + 2);
            return false;
        }
        const double total = seen[3] - kLockTimeMs - kDiseqcPauseMs;
        if (click < 0) {
            samples.firstMs.push_back(total);
        } else {
            samples.totalMs.push_back(total);
            samples.stageMs[0].push_back(seen[0]);
            samples.stageMs[1].push_back(seen[1] - seen[0]);
            samples.stageMs[2].push_back(seen[2] - seen[1] - kDiseqcPauseMs - kLockTimeMs);
            samples.stageMs[3].push_back(seen[3] - seen[2]);
        }
        // The wait dialog is gone and the handler has returned once a sent message comes back.
        SendMessageTimeoutA(run.MainDialog(), WM_NULL, 0, 0, SMTO_NORMAL, kLockTimeoutMs, nullptr);
    }
    return true;
}
}   // namespace

bool MeasureLockLatency(int rounds, const std::vector<LumisatBuild>& builds, std::vector<LockLatencySamples>& samples)
{
    samples.assign(builds.size(), LockLatencySamples{});
    return MeasureInTurns(rounds, kClicksPerBlock, builds.size(),
                          [&](std::size_t i, int clicks) { return MeasureBlock(builds[i], clicks, samples[i]); });
}
