// Start-up time and peak working set of Lumisat against the baseline dialog.
#include "bench/win/BenchSetup.h"
#include "bench/win/Measurements.h"

#include <cstdio>

namespace {
// Long enough for Lumisat's first lock (timer 503 fires 110 ms after start-up).
constexpr DWORD kSettleMs = 1500;

bool StartLumisat(double& ms, double& peakBytes)
{
    LumisatRun run("bench_startup");
    PrepareLumisat(run, false);
    MeasuredProgram program;
    ms = program.StartUntilShown(kLumisatExe, run.Folder(), kMainTitle);
    if (ms < 0) {
        std::fprintf(stderr, "Lumisat did not show its main dialog\n");
        return false;
    }
    Sleep(kSettleMs);
    peakBytes = program.PeakWorkingSetBytes();
    EndLumisat(program);
    return peakBytes > 0;
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
        samples.libraryBaselineMs.push_back(libraryMs);
        samples.libraryBaselinePeakBytes.push_back(libraryPeak);
        samples.lumisatMs.push_back(lumisatMs);
        samples.baselineMs.push_back(baselineMs);
        samples.lumisatPeakBytes.push_back(lumisatPeak);
        samples.baselinePeakBytes.push_back(baselinePeak);
    }
    return true;
}
