// The scans' own time, seen from outside with the simulator's locks taking
// no time: from the click to the lock of the current channel or transponder
// that follows the last step, less the switch command's pauses, spread over
// the steps. Each step's start is the first LockChannel3 of its frequency in
// the call log, written the moment the call returns.
#include "bench/win/BenchSetup.h"
#include "bench/win/CallLogWatch.h"
#include "bench/win/Measurements.h"
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr unsigned kScanTimeoutMs = 60000;
constexpr int kHomeFrequency = 100000;   // off the raster: all 57 frequencies are tried
constexpr int kCheckedTransponders = 100;
// Rounds on one start of a build before the next build takes its turn.
constexpr int kRoundsPerBlock = 5;

struct ScanRound {
    std::vector<double> seen;   // the click to each call waited for
    double pausesMs = 0;
};

// The click's round: total, mean and worst step of the steps between the
// first and the last prefix but one; the last prefix is the lock after the scan.
void Record(const ScanRound& round, ScanSamples::Kind& kind, const std::vector<double>& pauseBeforeStep)
{
    const std::size_t steps = round.seen.size() - 1;
    const double total = round.seen.back() - round.pausesMs;
    kind.totalMs.push_back(total);
    kind.perStepMs.push_back(total / static_cast<double>(steps));
    double worst = round.seen[0] - pauseBeforeStep[0];
    for (std::size_t step = 1; step < round.seen.size(); ++step)
        worst = std::max(worst, round.seen[step] - round.seen[step - 1] -
                                    (step < pauseBeforeStep.size() ? pauseBeforeStep[step] : 0.0));
    kind.worstStepMs.push_back(worst);
}

bool RunRounds(LumisatRun& run, int rounds, int button, const std::vector<std::string>& prefixes,
               const std::vector<double>& pauseBeforeStep, ScanSamples::Kind& kind,
               const std::function<bool()>& closeResult)
{
    const CallLogWatch log(run.PathOf("Quarlink.log"));
    HWND scan = FindControl(run.MainDialog(), button);
    if (scan == nullptr)
        return false;
    double pauses = 0;
    for (double pause : pauseBeforeStep)
        pauses += pause;
    // One warm-up round, then the measured ones.
    for (int round = -1; round < rounds; ++round) {
        Sleep(300);   // a signal poll or statistics read in progress ends first
        const unsigned long long from = log.Size();
        const BenchClock::time_point click = BenchClock::now();
        Click(scan);
        ScanRound measured{log.WaitForCalls(prefixes, from, click, kScanTimeoutMs), pauses};
        if (measured.seen.empty()) {
            std::fprintf(stderr, "scan round %d did not end with the lock after it\n", round + 1);
            return false;
        }
        if (round >= 0)
            Record(measured, kind, pauseBeforeStep);
        if (!closeResult())
            return false;
    }
    return true;
}

std::string ChannelIni()
{
    return CardIni(kTerrestrialKind, "[Channel]\nFrequency=" + std::to_string(kHomeFrequency) + "\nBandwidth=8\n", 0);
}

// 50 horizontal transponders, then 50 vertical ones: the switch commands go
// out twice, each with its pause.
FileSatellite CheckedSatellite()
{
    FileSatellite satellite;
    satellite.name = "Astra 19.2E";
    satellite.degree = 192;
    satellite.diseqcPort = 1;   // "LNB A": the polarisation is in the switch command
    for (int i = 0; i < kCheckedTransponders; ++i) {
        const int frequency = 10700 + 20 * i;
        const int polarity = i < kCheckedTransponders / 2 ? 1 : 0;
        satellite.transponders.push_back(
            {std::to_string(frequency) + (polarity ? "H" : "V") + "/22000", frequency, 22000, polarity, {}});
    }
    return satellite;
}

bool MeasureTerrestrialBlock(const LumisatBuild& build, int rounds, ScanSamples::Kind& kind)
{
    LumisatRun run("bench_scan_terrestrial");
    if (!InstallBuild(run, build))
        return false;
    run.WriteIni(ChannelIni());
    run.WriteFile("DTTdata.dll", SatelliteFileBytes({Channel("Home", kHomeFrequency, 8, 0)}));
    if (!run.Start())
        return false;
    run.WaitForStartupLock();
    std::vector<std::string> prefixes;
    for (int frequency = 177500; frequency <= 226500; frequency += 7000)
        prefixes.push_back("LockChannel3(" + std::to_string(frequency) + ",");
    for (int frequency = 474000; frequency <= 858000; frequency += 8000)
        prefixes.push_back("LockChannel3(" + std::to_string(frequency) + ",");
    prefixes.push_back("LockChannel3(" + std::to_string(kHomeFrequency) + ",");
    const std::vector<double> noPauses(prefixes.size(), 0.0);
    return RunRounds(run, rounds, IDC_DTT_FULL_SCAN, prefixes, noPauses, kind,
                     [&run] { return run.AnswerNextBox(IDOK, seconds(20)) != "(no message box)"; });
}

bool MeasureCheckBlock(const LumisatBuild& build, int rounds, ScanSamples::Kind& kind)
{
    LumisatRun run("bench_scan_check");
    if (!InstallBuild(run, build))
        return false;
    run.WriteIni(CardIni(kSatelliteKind,
                         "[Switch]\nLNB A=19.2E\n[Transponder]\nSatellite=19.2E\nFrequency=10700\n"
                         "Polarity=H\nSymbolRate=22000\n",
                         0));
    run.WriteFile("satedata.dll", SatelliteFileBytes({CheckedSatellite()}));
    if (!run.Start())
        return false;
    run.WaitForStartupLock();
    std::vector<std::string> prefixes;
    for (const FileTransponder& transponder : CheckedSatellite().transponders)
        prefixes.push_back("LockChannel3(" + std::to_string(transponder.frequency) + ",");
    prefixes.push_back("SetDiseCom1(");   // the lock after the check
    std::vector<double> pauses(prefixes.size(), 0.0);
    pauses[0] = pauses[kCheckedTransponders / 2] = kDiseqcPauseMs;
    return RunRounds(run, rounds, IDC_DISH_SCAN, prefixes, pauses, kind, [&run] {
        HWND results = nullptr;
        WaitFor(
            [&] {
                return (results = run.WaitForWindow("Satellite check", milliseconds(50))) != nullptr &&
                       GetDlgItem(results, IDC_SCAN_RESULT_LIST) != nullptr;
            },
            seconds(20));
        if (results == nullptr)
            return false;
        Click(GetDlgItem(results, IDC_SCAN_CLOSE));
        return WaitFor([results] { return !IsWindow(results); });
    });
}

}   // namespace

bool MeasureScans(int rounds, const std::vector<LumisatBuild>& builds, std::vector<ScanSamples>& samples)
{
    samples.assign(builds.size(), ScanSamples{});
    return MeasureInTurns(rounds, kRoundsPerBlock, builds.size(),
                          [&](std::size_t i, int blockRounds) {
                              return MeasureTerrestrialBlock(builds[i], blockRounds, samples[i].terrestrial);
                          }) &&
           MeasureInTurns(rounds, kRoundsPerBlock, builds.size(), [&](std::size_t i, int blockRounds) {
               return MeasureCheckBlock(builds[i], blockRounds, samples[i].check);
           });
}
