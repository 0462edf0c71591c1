#include "app/Settings.h"

#include "common/FieldText.h"
#include "common/FileIo.h"
#include "database/ChannelDatabase.h"

namespace {

constexpr std::uint32_t kPlatformWin32s = 0;
constexpr std::uint32_t kPlatformWindows = 1;
constexpr std::uint32_t kPlatformNt = 2;
constexpr int kFirstChannelKind = 5;

int WindowsClass(std::uint32_t minor)
{
    if (minor == 0)
        return 2;
    return minor <= 10 ? 3 : 4;
}

int NtClass(std::uint32_t major, std::uint32_t minor)
{
    if (major < 3)
        return 0;
    if (major == 3)
        return 5;
    if (major == 4)
        return 6;
    if (major == 5 && minor == 0)
        return 7;
    return 8;
}

std::string DefaultInstallationPath(const std::string& programFolder)
{
    std::string path = programFolder;
    if (!path.empty() && path.back() != '\\')
        path.push_back('\\');
    return path.size() <= kLongestFilePath ? path : std::string();
}

}   // namespace

int SystemVersionClass(const SystemVersion& version)
{
    if (!version.readable)
        return 0;
    switch (version.platformId) {
    case kPlatformWin32s: return 1;
    case kPlatformWindows: return WindowsClass(version.minor);
    case kPlatformNt: return NtClass(version.major, version.minor);
    default: return 0;
    }
}

SettingsHive SettingsHiveFor(int versionClass)
{
    return versionClass >= 2 && versionClass <= 4 ? SettingsHive::LocalMachine : SettingsHive::CurrentUser;
}

void CopyInstallationPath(SettingsStore& machineKey, SettingsStore& userKey, MainSettings& settings)
{
    std::string machinePath;
    if (!machineKey.GetString("PATH", machinePath) || machinePath.empty())
        return;
    settings.installationPath = machinePath;
    userKey.SetString("PATH", machinePath);
}

void LoadSettings(SettingsStore& store, int deviceKind, const std::string& programFolder, MainSettings& settings)
{
    store.GetString("PATH", settings.installationPath);
    if (settings.installationPath.empty())
        settings.installationPath = DefaultInstallationPath(programFolder);
    std::uint32_t degree = 0;
    if (store.GetDword("CurDegree", degree))
        settings.currentDegree = static_cast<std::int32_t>(degree);
    store.GetString("CurSatellite", settings.currentSatellite);
    store.GetString("CurTransponder", settings.currentTransponder);
    store.GetString("CurPID", settings.currentPid);
    store.GetString("Language", settings.languageName);
    if (settings.languageName.empty())
        settings.languageName = "English";
    settings.currentDegree = StoredDegree(deviceKind, settings.currentDegree);
}

void TakeCurrentSelection(const CChannelDatabase& database, MainSettings& settings)
{
    const SatelliteRecord* satellite = database.CurrentSatellite();
    const TransponderRecord* transponder = database.CurrentTransponder();
    const PidRecord* pid = database.CurrentPid();
    settings.currentSatellite = satellite ? std::string(FieldText(satellite->name)) : std::string();
    settings.currentTransponder = transponder ? std::string(FieldText(transponder->name)) : std::string();
    settings.currentPid = pid ? std::to_string(pid->pid) : std::string();
}

bool SaveSettings(SettingsStore& store, int deviceKind, const CChannelDatabase& database, MainSettings& settings)
{
    TakeCurrentSelection(database, settings);
    bool written = store.SetString("PATH", settings.installationPath);
    written &= store.SetString("Language", settings.languageName);
    written &= store.SetString("CurSatellite", settings.currentSatellite);
    written &= store.SetString("CurTransponder", settings.currentTransponder);
    written &= store.SetString("CurPID", settings.currentPid);
    written &=
        store.SetDword("CurDegree", static_cast<std::uint32_t>(StoredDegree(deviceKind, settings.currentDegree)));
    return written;
}

std::int32_t StoredDegree(int deviceKind, std::int32_t currentDegree)
{
    return deviceKind >= kFirstChannelKind ? kChannelDegree : currentDegree;
}
