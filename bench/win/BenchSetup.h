// What every measurement runs: Lumisat in an installation folder of its own
// with a simulated satellite card that locks at once, and the baseline
// dialog program beside the benchmarks.
#pragma once

#include "bench/win/BenchProcess.h"
#include "tests/e2e/Harness.h"

#include <functional>
#include <string>
#include <vector>

constexpr char kLumisatExe[] = "Lumisat.exe";
constexpr char kBaselineExe[] = "MinimalDialog.exe";
constexpr char kBaselineTitle[] = "Minimal Dialog";
// The simulator's LockChannel3 takes no time, so a lock costs only Lumisat's own work.
constexpr int kLockTimeMs = 0;
// Lumisat pauses after each DiSEqC command so that the switch settles.
constexpr int kDiseqcPauseMs = 100;
constexpr int kLockTestButton = 1081;
constexpr int kFrequencyCombo = 1161;
constexpr int kStrengthText = 1122;

// The folder that holds the benchmark programs (the build's bin folder).
std::string BenchProgramFolder();

// A build of Lumisat under measurement: the one beside the benchmarks, or an
// earlier one measured in the same run (its bin folder in LUMISAT_BEFORE_BIN,
// its sources, for the language files, in LUMISAT_BEFORE_SOURCE).
struct LumisatBuild {
    const char* label;
    std::string bin;   // empty: the build beside the benchmarks
    std::string source;
};
// The builds to measure: the earlier one first when it is given.
std::vector<LumisatBuild> MeasuredBuilds();
// A LumisatRun holds the program, simulator and language files of the build
// beside the benchmarks; this puts the given build's in their place.
bool InstallBuild(const LumisatRun& run, const LumisatBuild& build);
// Calls measure(build index, rounds) for `builds` builds in blocks of at most
// perBlock of the rounds, the builds taking turns and each block starting
// with the next build, until every build had all its rounds; false as soon
// as one call fails.
bool MeasureInTurns(int rounds, int perBlock, std::size_t builds,
                    const std::function<bool(std::size_t build, int rounds)>& measure);

// Installs the build and writes the simulator's configuration (with or
// without its call log) and a channel database of one satellite with two
// transponders on air; `extraIni` is added to the simulator's configuration
// (faults). False when the build could not be installed.
bool PrepareLumisat(LumisatRun& run, const LumisatBuild& build, bool callLog, const std::string& extraIni = "");

// The strength shown while locked is the card's figure plus 20; the
// simulator reports about 70 locked and under 12 unlocked.
bool ShowsLockedStrength(HWND mainDialog);

// Asks Lumisat to end as other programs do, and waits.
void EndLumisat(MeasuredProgram& program);
void EndBaseline(MeasuredProgram& program);
