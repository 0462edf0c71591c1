// The main dialog's settings under the program's key (kSettingsKeyPath), and
// which hive holds them on which system.
#pragma once

#include "common/SettingsStore.h"
#include "resources/ProgramIdentity.h"

#include <cstdint>
#include <string>

class CChannelDatabase;

struct MainSettings {
    std::string installationPath;     // "PATH", ends in a backslash
    std::string languageName;         // "Language"
    std::string currentSatellite;     // "CurSatellite"
    std::string currentTransponder;   // "CurTransponder"
    std::string currentPid;           // "CurPID", decimal text
    std::int32_t currentDegree = 0;   // "CurDegree", 0 to 3600
};

// What the system reports about its version. platformId: 0 Win32s,
// 1 Windows 95/98/Me, 2 NT family.
struct SystemVersion {
    bool readable = false;
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

// 0 unknown, 1 Win32s, 2 Windows 95, 3 Windows 98, 4 Windows Me, 5 NT 3.x,
// 6 NT 4, 7 NT 5.0 (2000), 8 NT 5.1 (XP) and later.
int SystemVersionClass(const SystemVersion& version);

enum class SettingsHive { LocalMachine, CurrentUser };

// The local machine on Windows 95, 98 and Me, the current user elsewhere and
// when the version is unknown.
SettingsHive SettingsHiveFor(int versionClass);

// Copies "PATH" from the local machine's key to the current user's when the
// machine names a folder: reads it into the installation path and writes it
// back. Without one (a copy started without the installer) both stay as they
// are, so that the user's own value still counts.
void CopyInstallationPath(SettingsStore& machineKey, SettingsStore& userKey, MainSettings& settings);

// Reads the settings into `settings`; a value that cannot be read leaves its
// field as it was. An empty installation path becomes the program's own
// folder with a backslash (or stays empty when that would not fit a path
// buffer, so that file names resolve against the current directory), an
// empty language "English". Cable and terrestrial cards (deviceKind 5 or
// more) get the degree 3600.
void LoadSettings(SettingsStore& store, int deviceKind, const std::string& programFolder, MainSettings& settings);

// Takes the current satellite, transponder and PID from the database (each
// empty when there is no such current record) and writes every setting in
// the order "PATH", "Language", "CurSatellite", "CurTransponder", "CurPID",
// "CurDegree". A failed write does not stop the others; the result is false
// when any failed.
bool SaveSettings(SettingsStore& store, int deviceKind, const CChannelDatabase& database, MainSettings& settings);

// The selection fields as SaveSettings stores them.
void TakeCurrentSelection(const CChannelDatabase& database, MainSettings& settings);

// The degree stored: 3600 for cable and terrestrial cards.
std::int32_t StoredDegree(int deviceKind, std::int32_t currentDegree);
