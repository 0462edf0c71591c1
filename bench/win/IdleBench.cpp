// CPU time Lumisat uses while it only watches a locked card, against the
// baseline dialog over the same window.
#include "bench/win/BenchSetup.h"
#include "bench/win/Measurements.h"

#include <cstdio>

namespace {
constexpr std::chrono::seconds kLockTimeout{20};

double PercentOfOneCore(double cpuMs, double wallMs)
{
    return wallMs > 0 ? 100.0 * cpuMs / wallMs : 0.0;
}
}

bool MeasureIdleCost(int rounds, int seconds, IdleSamples& samples)
{
    for (int round = 0; round < rounds; ++round) {
        // No call log: the program runs as it does for the user.
        LumisatRun run("bench_idle");
        PrepareLumisat(run, false);
        MeasuredProgram lumisat, baseline;
        if (lumisat.StartUntilShown(kLumisatExe, run.Folder(), kMainTitle) < 0 ||
            baseline.StartUntilShown(kBaselineExe, BenchProgramFolder(), kBaselineTitle) < 0) {
            std::fprintf(stderr, "the programs did not start for the idle measurement\n");
            return false;
        }
        HWND mainDialog = FindProcessWindow(lumisat.ProcessId(), "#32770", kMainTitle);
        if (!WaitFor([&] { return ShowsLockedStrength(mainDialog); }, kLockTimeout)) {
            std::fprintf(stderr, "the card did not lock for the idle measurement\n");
            return false;
        }
        const double lumisatBefore = lumisat.CpuMilliseconds();
        const double baselineBefore = baseline.CpuMilliseconds();
        const BenchClock::time_point start = BenchClock::now();
        Sleep(static_cast<DWORD>(seconds) * 1000);
        const double wallMs = MillisecondsSince(start);
        samples.lumisatPercent.push_back(PercentOfOneCore(lumisat.CpuMilliseconds() - lumisatBefore, wallMs));
        samples.baselinePercent.push_back(PercentOfOneCore(baseline.CpuMilliseconds() - baselineBefore, wallMs));
        if (!ShowsLockedStrength(mainDialog))
            std::fprintf(stderr, "idle round %d: the card lost its lock during the window\n", round + 1);
        EndLumisat(lumisat);
        EndBaseline(baseline);
    }
    return true;
}
