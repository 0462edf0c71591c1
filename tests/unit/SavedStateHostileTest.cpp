// Hostile saved state: installation paths at and past the path limit, and
// selection values from the registry that match no record, or match one only
// when read carelessly.
#include "app/InstallPaths.h"
#include "common/FieldText.h"
#include "database/SatelliteListRules.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr int kSatelliteCard = 0;
constexpr int kCableCard = 5;
constexpr int kTerrestrialCard = 7;
// As long as a name field holds (32 bytes with the terminating zero).
const std::string kLongName = "Hotbird 13.0E Eutelsat Hot Bird";

// "C:\ddd...d\" of the given length.
std::string InstallPathOfLength(std::size_t length)
{
    return "C:\\" + std::string(length - 4, 'd') + "\\";
}

struct Line {
    CChannelDatabase database;
    SatelliteRecord* astra = nullptr;
    SatelliteRecord* hotbird = nullptr;
    TransponderRecord* first = nullptr;
    TransponderRecord* second = nullptr;
    PidRecord* pid256 = nullptr;
    PidRecord* pid1024 = nullptr;

    Line()
    {
        database.Load("");
        astra = AddSatellite("Astra 19.2E", 192);
        first = AddTransponder("11494 H 22000", 11494);
        pid256 = AddPid(256);
        pid1024 = AddPid(1024);
        second = AddTransponder("12603 V 22000", 12603);
        hotbird = AddSatellite(kLongName.c_str(), 130);
        database.SelectSatellite(astra);
    }

    SatelliteRecord* AddSatellite(const char* name, std::int32_t degree) { return Added(database, Satellite(name, degree)); }
    TransponderRecord* AddTransponder(const char* name, std::int32_t frequency)
    {
        return Added(database, Transponder(frequency, 0, 0, name));
    }
    PidRecord* AddPid(std::int32_t value) { return Added(database, Pid(value, 0), 0); }
};

}  // namespace

TEST(InstallPathHostile, FileNamesThatDoNotFitComeBackEmpty)
{
    const struct {
        int kind;
        std::string file;
    } kinds[] = {{kSatelliteCard, "satedata.dll"}, {kCableCard, "cabledata.dll"}, {kTerrestrialCard, "DTTdata.dll"}};
    for (const auto& [kind, file] : kinds) {
        SCOPED_TRACE(file);
        // 259 characters fit the 260-character buffer with its terminating zero.
        const std::string fits = InstallPathOfLength(kMaxPath - 1 - file.size());
        EXPECT_EQ(DatabaseFilePath(fits, kind), fits + file);
        EXPECT_EQ(DatabaseFilePath(InstallPathOfLength(kMaxPath - file.size()), kind), "");
        EXPECT_EQ(DatabaseFilePath(InstallPathOfLength(4000), kind), "");
    }
    EXPECT_EQ(HelpFilePath(InstallPathOfLength(kMaxPath - 16), "English"), "") << "Help\\English.chm is 16 characters";
    EXPECT_EQ(HelpFilePath(InstallPathOfLength(kMaxPath - 17), "English").size(), kMaxPath - 1);
    EXPECT_EQ(HelpFilePath("C:\\", std::string(300, 'e')), "") << "a long language name cannot stretch it either";
    EXPECT_EQ(InstallFilePath("", "Main.bmp"), "Main.bmp") << "no path: the current directory's file";
}

TEST(SavedSelectionHostile, RegistryTextMatchingNoRecordLeavesTheFirstCurrent)
{
    const SavedSelection unmatched[] = {
        // Longer values whose start is the stored name.
        {kLongName + "s 13B/13C/13E", 130, "", ""},
        {kLongName + std::string(99 - kLongName.size(), 'x'), 130, "", ""},
        {std::string("Hotbird\0", 8) + kLongName.substr(8), 130, "", ""},
        // CurDegree 0xFFFFFFFF read as a number, another degree, the name in
        // another case, nothing saved.
        {kLongName, -1, "", ""},
        {kLongName, 131, "", ""},
        {"HOTBIRD 13.0E EUTELSAT HOT BIRD", 130, "", ""},
        {},
    };
    for (const SavedSelection& saved : unmatched) {
        SCOPED_TRACE(saved.satelliteName + " " + std::to_string(saved.degree));
        Line line;
        const SatelliteListFill fill = BuildSatelliteList(line.database, kSatelliteCard, saved);
        ASSERT_EQ(fill.items.size(), 2u);
        EXPECT_EQ(fill.selectedIndex, 0);
        EXPECT_EQ(fill.savedDegree, 192);
        EXPECT_EQ(line.database.CurrentSatellite(), line.astra);
        EXPECT_EQ(line.database.CurrentTransponder(), line.first);
        EXPECT_EQ(line.database.CurrentPid(), line.pid256);
    }
}

TEST(SavedSelectionHostile, SavedPidTextIsReadAsTheCLibraryReadsIt)
{
    Line named;
    BuildSatelliteList(named.database, kSatelliteCard, {kLongName, 130, "", ""});
    EXPECT_EQ(named.database.CurrentSatellite(), named.hotbird) << "the whole stored name matches";

    const struct {
        const char* transponder;
        const char* pid;
        int expected;   // PID made current
    } cases[] = {
        {"11494 H 22000", "  +1024 kbit/s", 1024},
        {"11494 H 22000", "1024", 1024},
        // Saturates instead of wrapping onto a stored PID.
        {"11494 H 22000", "4294968320", 256},
        {"11494 H 22000", "-1024", 256},
        {"11494 H 22000", "abc", 256},
        // An unknown transponder leaves the first one current, whose PID is then looked up.
        {"99999 X 1", "1024", 1024},
    };
    for (const auto& saved : cases) {
        SCOPED_TRACE(saved.pid);
        Line line;
        BuildSatelliteList(line.database, kSatelliteCard, {"Astra 19.2E", 192, saved.transponder, saved.pid});
        EXPECT_EQ(line.database.CurrentTransponder(), line.first);
        ASSERT_NE(line.database.CurrentPid(), nullptr);
        EXPECT_EQ(line.database.CurrentPid()->pid, saved.expected);
    }

    Line second;
    BuildSatelliteList(second.database, kSatelliteCard, {"Astra 19.2E", 192, "12603 V 22000", "256"});
    EXPECT_EQ(second.database.CurrentTransponder(), second.second);
    EXPECT_EQ(second.database.CurrentPid(), nullptr) << "that transponder has no PIDs";
}
