// What the scenarios start the program on: the simulator's configurations
// (a card of a kind, the demo line-ups), databases of their own or of the
// demo folder, and the start-up on them.
#pragma once

#include "tests/e2e/Harness.h"
#include "tests/e2e/SatelliteFile.h"

#include <string>
#include <vector>

constexpr int kSatelliteKind = 0;
constexpr int kCableKind = 5;
constexpr int kTerrestrialKind = 7;
constexpr int kDishTab = 1;

// A file of simulator/demo in the source tree (LUMISAT_SOURCE); empty when missing.
std::string DemoFile(const std::string& name);
// A card of the GetCIInfo kind; `extra` is appended (more sections, faults).
std::string CardIni(int kind, const std::string& extra = std::string(), int lockTimeMs = 50);
// A demo line-up ("Quarlink.ini" for the satellite one, "cable.ini",
// "terrestrial.ini") with locks that take lockTimeMs, plus `extra`.
std::string DemoIni(const std::string& lineUp = "Quarlink.ini", const std::string& extra = std::string(),
                    int lockTimeMs = 50);

// Astra at 19.2E with 11494 H 22000, which the demo line-up receives on input A.
FileSatellite Astra();
// A channel of a cable or terrestrial card: one transponder, no LNB.
FileSatellite Channel(const std::string& name, int frequency, int symbolRate, int modulation,
                      std::vector<FilePid> pids = {});
// The database file of the card kind.
const char* DatabaseFile(int kind);

// Starts on a card of the kind with this database, after the start-up lock.
bool StartWithSatellites(LumisatRun& run, const std::vector<FileSatellite>& satellites, int kind = kSatelliteKind);
// Starts on a demo line-up with its demo database.
bool StartDemo(LumisatRun& run, const std::string& lineUp = "Quarlink.ini", const std::string& extra = std::string(),
               int lockTimeMs = 50);
// Picks the language in the main dialog's list as the user does; false when
// it is not listed. The handler has run when this returns.
bool ChooseLanguage(const LumisatRun& run, const std::string& language);

// The program's diagnostic log, relative to the run's folder.
constexpr char kTraceLog[] = "Lumisat\\Lumisat.log";

// While it lives, the diagnostic log is kept in the run's folder:
// LOCALAPPDATA names it for the programs started.
class LocalAppData {
public:
    explicit LocalAppData(const LumisatRun& run) { SetEnvironmentVariableA("LOCALAPPDATA", run.Folder().c_str()); }
    ~LocalAppData() { SetEnvironmentVariableA("LOCALAPPDATA", nullptr); }
    LocalAppData(const LocalAppData&) = delete;
    LocalAppData& operator=(const LocalAppData&) = delete;
};

// Starts on a cable card receiving channel 474000 kHz, 6900 ksps, QAM 64,
// carrying PID 0x100 at 2000 kbit/s for two addresses and 0x101 at 512
// kbit/s for one, with the channel's PIDs; shows the Filter tab once the
// filter runs. `extra` is appended to the card's configuration (faults).
bool StartOnFilterPage(LumisatRun& run, const std::vector<FilePid>& pids, const std::string& extra = std::string());
