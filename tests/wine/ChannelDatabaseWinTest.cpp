#include "common/FileIo.h"
#include "database/ChannelDatabase.h"
#include "tests/unit/ScratchDirectory.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// The file lies at the longest path the program forms, so the save's side
// copy has to fit where the file does.
TEST(ChannelDatabaseWinTest, SaveAtTheLongestPathReplacesAReadOnlyFileAndKeepsItOnFailure)
{
    ScratchDirectory folder;
    ASSERT_TRUE(folder.Valid());
    const std::string name = "satedata.dll";
    std::string deep = folder.Path();
    while (deep.size() + name.size() < kLongestFilePath) {
        const std::size_t room = kLongestFilePath - deep.size() - name.size();
        deep += std::string(room > 120 ? 100 : room - 1, 'd') + "\\";
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size();
    }
    const std::string path = deep + name;
    ASSERT_EQ(path.size(), kLongestFilePath);
    ASSERT_TRUE(folder.Write(path, std::string(4, '\0')));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    CChannelDatabase db;
    db.LoadFile(path);
    db.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(folder.Read(path).size(), 72u);
    EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);

    // A save that cannot write its copy leaves the file as it was.
    ASSERT_TRUE(CreateDirectoryA(SideFilePath(path).c_str(), nullptr));
    db.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    EXPECT_EQ(db.Save(), 0);
    EXPECT_EQ(folder.Read(path).size(), 72u);
}

}   // namespace
