#include "common/FileIo.h"
#include "common/FileIo.h"
#include "database/ChannelDatabase.h"
#include "tests/unit/ScratchDirectory.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ChannelDatabaseWinTest, SaveReplacesAReadOnlyFileAndKeepsItOnFailure)
{
    ScratchDirectory folder;
    ASSERT_TRUE(folder.Valid());
    const std::string path = folder.Path("satedata.dll");
    ASSERT_TRUE(folder.Write("satedata.dll", std::string(4, '\0')));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    CChannelDatabase db;
    db.LoadFile(path);
    db.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(folder.Read("satedata.dll").size(), 72u);
    EXPECT_FALSE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);

    // A save that cannot write its copy leaves the file as it was.
    ASSERT_TRUE(CreateDirectoryA(SideFilePath(path).c_str(), nullptr));
    db.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    EXPECT_EQ(db.Save(), 0);
    EXPECT_EQ(folder.Read("satedata.dll").size(), 72u);
}

// The longest path the program accepts: its folder nests as deep as Windows
// lets folders go, so the save's side copy must not be longer than the file.
TEST(ChannelDatabaseWinTest, SaveAtAPathOfTheFullLength)
{
    ScratchDirectory folder;
    ASSERT_TRUE(folder.Valid());
    const std::string name = "satedata.dll";
    std::string deep = folder.Path();
    while (deep.size() + name.size() < MAX_PATH - 1) {
        const std::size_t room = MAX_PATH - 1 - deep.size() - name.size();
        deep += std::string(room > 120 ? 100 : room - 1, 'd') + "\\";
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size();
    }
    const std::string path = deep + name;
    ASSERT_EQ(path.size(), MAX_PATH - 1u);

    CChannelDatabase db;
    db.LoadFile(path);
    for (const int count : {1, 2}) {
        db.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
        ASSERT_EQ(db.Save(), 1) << "creating, then replacing";
        CChannelDatabase reloaded;
        EXPECT_EQ(reloaded.Load(path), 1);
        EXPECT_EQ(reloaded.Root()->satelliteCount, count);
    }
    EXPECT_EQ(GetFileAttributesA(SideFilePath(path).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
