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

}  // namespace
