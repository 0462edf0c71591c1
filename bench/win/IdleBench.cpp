// CPU time Lumisat uses while it only watches a locked card, against the
// baseline dialog over the same window.
#include "bench/win/BenchSetup.h"
#include "bench/win/Measurements.h"

#include <cstdio>

namespace {
constexpr std::chrono::seconds kLockTimeout{20};

struct CpuReading {
    double reportedMs;   // GetProcessTimes
    double kernelMs;     // the Linux process under Wine; negative elsewhere
};

CpuReading Read(const MeasuredProgram& program) { return {program.CpuMilliseconds(), program.KernelCpuMilliseconds()}; }

double PercentOfOneCore(double cpuMs, double wallMs) { return wallMs > 0 ? 100.0 * cpuMs / wallMs : 0.0; }
}   // namespace

bool MeasureIdleCost(int rounds, int seconds, IdleSamples& samples)
{
    for (int round = 0; round < rounds; ++round) {
        // No call log: the program runs as it does for the user.
        LumisatRun run("bench_idle");
        MeasuredProgram lumisat, baseline;
        if (!PrepareLumisat(run, MeasuredBuilds().back(), false) ||
            lumisat.StartUntilShown(kLumisatExe, run.Folder(), kProgramTitle) < 0 ||
            baseline.StartUntilShown(kBaselineExe, BenchProgramFolder(), kBaselineTitle) < 0) {
            std::fprintf(stderr, "the programs did not start for the idle measurement\n");
            return false;
        }
        HWND mainDialog = FindProcessWindow(lumisat.ProcessId(), "#32770", kProgramTitle);
        if (!WaitFor([&] { return ShowsLockedStrength(mainDialog); }, kLockTimeout)) {
            std::fprintf(stderr, "the card did not lock for the idle measurement\n");
            return false;
        }
        const CpuReading lumisatBefore = Read(lumisat), baselineBefore = Read(baseline);
        const BenchClock::time_point start = BenchClock::now();
        Sleep(static_cast<DWORD>(seconds) * 1000);
        const double wallMs = MillisecondsSince(start);
        const CpuReading lumisatAfter = Read(lumisat), baselineAfter = Read(baseline);
        samples.fromKernel = lumisatBefore.kernelMs >= 0 && baselineBefore.kernelMs >= 0;
        auto used = [&](const CpuReading& before, const CpuReading& after) {
            return samples.fromKernel ? after.kernelMs - before.kernelMs : after.reportedMs - before.reportedMs;
        };
        samples.lumisatPercent.push_back(PercentOfOneCore(used(lumisatBefore, lumisatAfter), wallMs));
        samples.baselinePercent.push_back(PercentOfOneCore(used(baselineBefore, baselineAfter), wallMs));
        samples.lumisatReportedPercent.push_back(
            PercentOfOneCore(lumisatAfter.reportedMs - lumisatBefore.reportedMs, wallMs));
        if (!ShowsLockedStrength(mainDialog))
            std::fprintf(stderr, "idle round %d: the card lost its lock during the window\n", round + 1);
        EndLumisat(lumisat);
        EndBaseline(baseline);
    }
    return true;
}
