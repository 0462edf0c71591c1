#include "tests/e2e/SimulatorIni.h"

#include <windows.h>

#include <fstream>
#include <sstream>

std::string CardIni(int kind, const std::string& extra)
{
    return "[Card]\nKind=" + std::to_string(kind) + "\nDeviceType=2\nLockTimeMs=50\nSeed=1\n" + extra;
}

std::string DemoIni(const std::string& extra)
{
    return DemoLineUpIni("Quarlink.ini", extra);
}

std::string DemoLineUpIni(const std::string& file, const std::string& extra, int lockTimeMs)
{
    char source[1024] = {};
    GetEnvironmentVariableA("LUMISAT_SOURCE", source, sizeof(source));
    std::ifstream in(std::string(source) + "/simulator/demo/" + file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    // The scenarios wait for locks; keep them short.
    std::string ini = text.str();
    const std::string slow = "LockTimeMs=300";
    if (auto at = ini.find(slow); at != std::string::npos)
        ini.replace(at, slow.size(), "LockTimeMs=" + std::to_string(lockTimeMs));
    return ini + "\n" + extra;
}
