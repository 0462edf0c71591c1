#include "bench/win/BenchSetup.h"

#include "tests/e2e/SatelliteFile.h"

#include <cstdlib>

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
}

std::string BenchProgramFolder()
{
    return EnvironmentFolder("LUMISAT_BIN");
}

void PrepareLumisat(LumisatRun& run, bool callLog)
{
    if (callLog)
        run.WriteIni(SimulatorIni());
    else
        run.WriteFile("Quarlink.ini", SimulatorIni());
    FileSatellite satellite;
    satellite.name = "Astra 19.2E";
    satellite.degree = 192;
    satellite.transponders = {Transponder("11494H/22000", 11494), Transponder("11362H/22000", 11362)};
    run.WriteFile("satedata.dll", SatelliteFileBytes({satellite}));
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

void EndBaseline(MeasuredProgram& program)
{
    program.End("#32770", WM_CLOSE, 0);
}
