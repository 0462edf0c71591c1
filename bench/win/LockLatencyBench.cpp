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
}

bool MeasureLockLatency(int rounds, LockLatencySamples& samples)
{
    LumisatRun run("bench_lock");
    PrepareLumisat(run, true);
    if (!run.Start()) {
        std::fprintf(stderr, "Lumisat did not start for the lock measurement\n");
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
    // One warm-up lock, then the measured ones; each on the other transponder.
    for (int round = -1; round < rounds; ++round) {
        ChooseItemNow(frequencies, (round + 2) % 2);
        Sleep(kQuietBeforeClickMs);
        const unsigned long long from = log.Size();
        const BenchClock::time_point click = BenchClock::now();
        Click(lockTest);
        const std::vector<double> seen =
            log.WaitForCalls({"StopFilter(", "SetDiseCom1(", "LockChannel3(", "StartFilter("}, from, click,
                             kLockTimeoutMs);
        if (seen.empty()) {
            std::fprintf(stderr, "Lock Test %d: the filter was not started (no lock?)\n", round + 1);
            return false;
        }
        if (round >= 0) {
            samples.totalMs.push_back(seen[3] - kLockTimeMs - kDiseqcPauseMs);
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
