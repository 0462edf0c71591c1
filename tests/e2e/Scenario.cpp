#include "tests/e2e/Scenario.h"

#include "resources/resource.h"

#include <algorithm>
#include <fstream>
#include <sstream>

std::string DemoFile(const std::string& name)
{
    std::ostringstream bytes;
    bytes << std::ifstream(EnvironmentFolder("LUMISAT_SOURCE") + "simulator\\demo\\" + name, std::ios::binary).rdbuf();
    return bytes.str();
}

std::string CardIni(int kind, const std::string& extra, int lockTimeMs)
{
    return "[Card]\nKind=" + std::to_string(kind) + "\nDeviceType=2\nLockTimeMs=" + std::to_string(lockTimeMs) +
           "\nSeed=1\n" + extra;
}

std::string DemoIni(const std::string& lineUp, const std::string& extra, int lockTimeMs)
{
    std::string ini = DemoFile(lineUp);
    // The scenarios wait for locks; keep them short.
    const std::string slow = "LockTimeMs=300";
    if (auto at = ini.find(slow); at != std::string::npos)
        ini.replace(at, slow.size(), "LockTimeMs=" + std::to_string(lockTimeMs));
    return ini + "\n" + extra;
}

FileSatellite Astra()
{
    return {.name = "Astra", .degree = 192, .transponders = {{"11494H/22000", 11494, 22000, 1, {}}}};
}

FileSatellite Channel(const std::string& name, int frequency, int symbolRate, int modulation, std::vector<FilePid> pids)
{
    return {.name = name,
            .degree = 3600,
            .lnbFreq1 = 0,
            .lnbFreq2 = 0,
            .transponders = {{"", frequency, symbolRate, modulation, std::move(pids)}}};
}

const char* DatabaseFile(int kind)
{
    return kind == kTerrestrialKind ? "DTTdata.dll" : kind == kCableKind ? "cabledata.dll" : "satedata.dll";
}

bool StartWithSatellites(LumisatRun& run, const std::vector<FileSatellite>& satellites, int kind)
{
    run.WriteIni(CardIni(kind));
    run.WriteFile(DatabaseFile(kind), SatelliteFileBytes(satellites));
    if (!run.Start())
        return false;
    run.WaitForStartupLock();
    return true;
}

bool StartDemo(LumisatRun& run, const std::string& lineUp, const std::string& extra, int lockTimeMs)
{
    const int kind = lineUp == "cable.ini" ? kCableKind : lineUp == "terrestrial.ini" ? kTerrestrialKind : 0;
    run.WriteIni(DemoIni(lineUp, extra, lockTimeMs));
    run.WriteFile(DatabaseFile(kind), DemoFile(DatabaseFile(kind)));
    return run.Start();
}

bool ChooseLanguage(const LumisatRun& run, const std::string& language)
{
    HWND combo = run.Control(IDC_MAIN_LANGUAGE_COMBO);
    const std::vector<std::string> names = ComboTexts(combo);
    const auto found = std::find(names.begin(), names.end(), language);
    if (found == names.end())
        return false;
    ChooseItemNow(combo, static_cast<int>(found - names.begin()));
    return true;
}

bool StartOnFilterPage(LumisatRun& run, const std::vector<FilePid>& pids, const std::string& extra)
{
    run.WriteFile("cabledata.dll", SatelliteFileBytes({Channel("City Net 474", 474000, 6900, 64, pids)}));
    run.WriteIni(CardIni(kCableKind, "[Channel 474000]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n"
                                     "Pid=0x0100 2000 01-00-5E-04-01-01 01-00-5E-04-01-02\n"
                                     "Pid=0x0101 512 01-00-5E-04-01-03\n" +
                                         extra));
    if (!run.Start() || !run.WaitForCall("StartFilter() = 0", 0, seconds(20)))
        return false;
    run.WaitUntilIdle();
    return run.ShowTab(1, IDC_PID_LIST);
}
