#include "app/win/DiagnosticLog.h"

#include "app/DriverCallLog.h"
#include "app/Settings.h"
#include "app/TraceLog.h"
#include "app/win/LocalClock.h"
#include "app/win/RegistryKey.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdlib>

namespace {

constexpr char kTraceLogValue[] = "TraceLog";

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
    CRegistryKey key;
    std::uint32_t value = 0;
    return key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_READ) == ERROR_SUCCESS &&
           key.GetDword(kTraceLogValue, value) && value == 1;
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

} // namespace

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

DriverCallObserver& DiagnosticDriverCallLog()
{
    static DriverCallLog* const log = new DriverCallLog(WriteDiagnosticTrace);
    return *log;
}

bool IsDiagnosticLogOn()
{
    return TheTraceLog().IsEnabled();
}

void SetDiagnosticLogOn(bool on)
{
    if (on)
        DiagnosticLogFolder();
    TheTraceLog().SetEnabled(on);
    CRegistryKey key;
    if (key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_WRITE) == ERROR_SUCCESS)
        key.SetDword(kTraceLogValue, on ? 1 : 0);
}
