#include "app/win/DiagnosticLog.h"

#include "app/DriverCallLog.h"
#include "app/TraceLog.h"
#include "app/win/LocalClock.h"
#include "app/win/RegistryKey.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::string LocalAppDataFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", path, sizeof path);
    if (length > 0 && length < sizeof path)
        return path;
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK)
        return path;
    return std::string();
}

bool StoredLogChoice()
{
    CSettingsKeyOpener settingsKey;
    return ReadTraceLogSetting(*settingsKey.Open(false));
}

// The log's folder, "%LOCALAPPDATA%\Lumisat\" with the backslash; empty when there is none.
std::string LogFolderPath()
{
    std::string folder = LocalAppDataFolder();
    if (folder.empty())
        return folder;
    if (folder.back() != '\\')
        folder += '\\';
    return folder + "Lumisat\\";
}

// Never destroyed (see the header); the process's exit ends it. A log that is
// off leaves no folder behind.
TraceLog& TheTraceLog()
{
    static TraceLog* const log = [] {
        auto* made = new TraceLog(FileLogStorage::InFolder(LogFolderPath()));
        if (StoredLogChoice()) {
            DiagnosticLogFolder();
            made->SetEnabled(true);
        }
        std::atexit([] { TheTraceLog().End(TraceLogLimits{}.endWait); });
        return made;
    }();
    return *log;
}

}   // namespace

std::string DiagnosticLogFolder()
{
    const std::string folder = LogFolderPath();
    if (!folder.empty())
        CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool WriteDiagnosticTrace(const std::string& line)
{
    TraceLog& log = TheTraceLog();
    return log.IsEnabled() && log.Add(CurrentLocalTime(), GetCurrentThreadId(), line);
}

void WriteDiagnosticTimestamp(const char* label)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char line[128];
    std::snprintf(line, sizeof(line), "%s%d-%d-%d %d:%d:%d\n", label, local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    WriteDiagnosticTrace(line);
}

DriverCallObserver& DiagnosticDriverCallLog()
{
    static DriverCallLog* const log = new DriverCallLog(WriteDiagnosticTrace);
    return *log;
}

bool IsDiagnosticLogOn() { return TheTraceLog().IsEnabled(); }

void SetDiagnosticLogOn(bool on)
{
    if (on)
        DiagnosticLogFolder();
    TheTraceLog().SetEnabled(on);
    CSettingsKeyOpener settingsKey;
    WriteTraceLogSetting(*settingsKey.Open(true), on);
}
