#include "app/Settings.h"
#include "common/FileIo.h"
#include "database/ChannelDatabase.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsTest, FirstStartUsesTheProgramFolderAndEnglish)
{
    // A folder too long for a path buffer with the backslash gives no path:
    // file names then resolve against the current directory.
    const std::string fits = "C:\\" + std::string(kLongestFilePath - 4, 'd');
    const std::pair<std::string, std::string> folders[] = {
        {"C:\\Programs\\Lumisat", "C:\\Programs\\Lumisat\\"}, {"C:\\", "C:\\"}, {fits, fits + "\\"}, {fits + "d", ""}};
    for (const auto& [folder, path] : folders) {
        MapStore empty;
        MainSettings settings;
        LoadSettings(empty, 0, folder, settings);
        EXPECT_EQ(std::pair(settings.installationPath, settings.languageName), std::pair(path, std::string("English")))
            << folder.size();
    }
}

TEST(SettingsTest, OnlyAFolderTheMachineNamesReplacesTheUsersPath)
{
    // Installed; then a copy started without the installer: no value, or an empty one.
    for (const char* machinePath : {"C:\\Lumisat\\", static_cast<const char*>(nullptr), ""}) {
        MapStore machine, user;
        if (machinePath != nullptr)
            machine.strings = {{"PATH", machinePath}};
        user.strings = {{"PATH", "D:\\Demo\\"}};
        MainSettings settings;
        CopyInstallationPath(machine, user, settings);
        LoadSettings(user, 0, "E:\\Elsewhere", settings);
        const std::string expected = machinePath != nullptr && *machinePath ? machinePath : "D:\\Demo\\";
        EXPECT_EQ(std::pair(settings.installationPath, user.strings["PATH"]), std::pair(expected, expected));
    }
}

TEST(SettingsTest, LoadReadsStoredValuesAndKeepsFieldsOfMissingOnes)
{
    MapStore store;
    store.strings = {{"PATH", "D:\\Sat\\"},
                     {"Language", "German"},
                     {"CurSatellite", "Astra"},
                     {"CurTransponder", "11778V/27500"},
                     {"CurPID", "512"}};
    store.dwords = {{"CurDegree", 192}};
    MainSettings settings;
    LoadSettings(store, 4, "C:\\", settings);
    EXPECT_EQ((std::vector<std::string>{settings.installationPath, settings.languageName, settings.currentSatellite,
                                        settings.currentTransponder, settings.currentPid}),
              (std::vector<std::string>{"D:\\Sat\\", "German", "Astra", "11778V/27500", "512"}));
    EXPECT_EQ(settings.currentDegree, 192);

    // Restore with values gone: the fields keep what they had.
    MapStore partial;
    partial.strings = {{"CurDegree", "not a number"}};
    LoadSettings(partial, -3, "C:\\", settings);
    EXPECT_EQ(std::tuple(settings.currentSatellite, settings.currentDegree, settings.installationPath),
              std::tuple("Astra", 192, "D:\\Sat\\"));

    for (int channelKind : {5, 6, 7, 8, 100}) {
        LoadSettings(store, channelKind, "C:\\", settings);
        EXPECT_EQ(settings.currentDegree, 3600) << channelKind;
    }
}

TEST(SettingsTest, SaveWritesTheCurrentSelectionInOrder)
{
    CChannelDatabase db;
    db.Load("");
    db.AddSatellite(Satellite("Hotbird", 0), 1);
    db.AddTransponder(Transponder(0, 0, 0, "12188H/27500"), 1);

    MainSettings settings{"C:\\Sat\\", "French", "stale", "stale", "stale", 130};
    MapStore store;
    EXPECT_TRUE(SaveSettings(store, 0, db, settings));
    EXPECT_EQ(store.writes, (std::vector<std::string>{"PATH=C:\\Sat\\", "Language=French", "CurSatellite=Hotbird",
                                                      "CurTransponder=12188H/27500", "CurPID=", "CurDegree=130"}))
        << "no current PID: an empty text";
    EXPECT_TRUE(store.dwords.count("CurDegree")) << "a number, not a text";

    db.AddPid(Pid(8190, 0), 1);
    SaveSettings(store, 6, db, settings);
    EXPECT_EQ(std::pair(store.strings["CurPID"], store.dwords["CurDegree"]), std::pair(std::string("8190"), 3600u))
        << "cable";
    EXPECT_EQ(settings.currentDegree, 130) << "the field itself is not changed";

    db.SelectSatellite(nullptr);
    SaveSettings(store, 7, db, settings);
    EXPECT_EQ(store.strings["CurSatellite"] + store.strings["CurTransponder"], "");

    // A refused write is reported, and the values after it are still written.
    MapStore failing;
    failing.refused = "Language";
    EXPECT_FALSE(SaveSettings(failing, 0, db, settings));
    EXPECT_EQ(failing.writes.size(), 6u);
}

}   // namespace
