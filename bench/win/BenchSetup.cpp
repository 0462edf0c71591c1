#include "bench/win/BenchSetup.h"

#include "tests/e2e/SatelliteFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {
std::string SimulatorIni()
{
    return "[Card]\nKind=0\nDeviceType=2\nLockTimeMs=" + std::to_string(kLockTimeMs) +
           "\nSeed=1\n"
           "[Switch]\nDirect=19.2E\n"
           "[Transponder 19.2E 11494 H]\nSatellite=19.2E\nFrequency=11494\nPolarity=H\nSymbolRate=22000\n"
           "Pid=0x0100 2000 01-00-5E-01-01-01\n"
           "[Transponder 19.2E 11362 H]\nSatellite=19.2E\nFrequency=11362\nPolarity=H\nSymbolRate=22000\n";
}

FileTransponder Transponder(const char* name, int frequency)
{
    FileTransponder transponder;
    transponder.name = name;
    transponder.frequency = frequency;
    transponder.symbolRate = 22000;
    transponder.polarity = 1;
    return transponder;
}
}   // namespace

std::string BenchProgramFolder() { return EnvironmentFolder("LUMISAT_BIN"); }

std::vector<LumisatBuild> MeasuredBuilds()
{
    std::vector<LumisatBuild> builds;
    const std::string before = EnvironmentFolder("LUMISAT_BEFORE_BIN");
    if (!before.empty())
        builds.push_back({"before", before, EnvironmentFolder("LUMISAT_BEFORE_SOURCE")});
    builds.push_back({"Lumisat", std::string(), std::string()});
    return builds;
}

bool InstallBuild(const LumisatRun& run, const LumisatBuild& build)
{
    namespace fs = std::filesystem;
    if (build.bin.empty())
        return true;
    // CopyFileA: this runtime's std::filesystem::copy_file does not overwrite.
    const auto replace = [](const std::string& from, const std::string& to) {
        if (CopyFileA(from.c_str(), to.c_str(), FALSE))
            return true;
        std::fprintf(stderr, "%s could not be copied (error %lu)\n", from.c_str(), GetLastError());
        return false;
    };
    if (!replace(build.bin + "Lumisat.exe", run.PathOf("Lumisat.exe")) ||
        !replace(build.bin + "Quarlink.dll", run.PathOf("Quarlink.dll")))
        return false;
    std::error_code failed;
    for (const fs::directory_entry& file : fs::directory_iterator(build.source + "resources\\Language", failed)) {
        if (file.path().extension() == ".txt" &&
            !replace(file.path().string(), run.PathOf("Language\\" + file.path().filename().string())))
            return false;
    }
    return !failed;
}

bool MeasureInTurns(int rounds, int perBlock, std::size_t builds,
                    const std::function<bool(std::size_t build, int rounds)>& measure)
{
    for (int done = 0, block = 0; done < rounds; done += perBlock, ++block) {
        const int blockRounds = std::min(perBlock, rounds - done);
        for (std::size_t turn = 0; turn < builds; ++turn) {
            if (!measure((turn + static_cast<std::size_t>(block)) % builds, blockRounds))
                return false;
        }
    }
    return true;
}

bool PrepareLumisat(LumisatRun& run, const LumisatBuild& build, bool callLog, const std::string& extraIni)
{
    if (!InstallBuild(run, build))
        return false;
    if (callLog)
        run.WriteIni(SimulatorIni() + extraIni);
    else
        run.WriteFile("Quarlink.ini", SimulatorIni() + extraIni);
    FileSatellite satellite;
    satellite.name = "Astra 19.2E";
    satellite.degree = 192;
    satellite.transponders = {Transponder("11494H/22000", 11494), Transponder("11362H/22000", 11362)};
    run.WriteFile("satedata.dll", SatelliteFileBytes({satellite}));
    return true;
}

bool ShowsLockedStrength(HWND mainDialog)
{
    const std::string text = WindowText(FindControl(mainDialog, kStrengthText));
    return std::atoi(text.c_str()) >= 50;
}

void EndLumisat(MeasuredProgram& program)
{
    program.End(kFrameClass, RegisterWindowMessageA(kExitRequestMessageName), 1);
}

void EndBaseline(MeasuredProgram& program) { program.End("#32770", WM_CLOSE, 0); }
