// What every measurement runs: Lumisat in an installation folder of its own
// with a simulated satellite card that locks at once, and the baseline
// dialog program beside the benchmarks.
#pragma once

#include "bench/win/BenchProcess.h"
#include "tests/e2e/Harness.h"

#include <string>

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

// Writes the simulator's configuration (with or without its call log) and a
// channel database of one satellite with two transponders on air.
void PrepareLumisat(LumisatRun& run, bool callLog);

// The strength shown while locked is the card's figure plus 20; the
// simulator reports about 70 locked and under 12 unlocked.
bool ShowsLockedStrength(HWND mainDialog);

// Asks Lumisat to end as other programs do, and waits.
void EndLumisat(MeasuredProgram& program);
void EndBaseline(MeasuredProgram& program);
