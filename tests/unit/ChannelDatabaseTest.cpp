#include "database/ChannelDatabase.h"
#include "database/ChannelFileFormat.h"
#include "database/FileIo.h"
#include "database/ChannelRecordChains.h"
#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace {

template <typename Record>
std::int32_t Length(const Record* first)
{
    std::int32_t length = 0;
    for (; first; first = first->next)
        ++length;
    return length;
}

template <typename Record>
bool Holds(const Record* first, const Record* record)
{
    for (; first; first = first->next) {
        if (first == record)
            return true;
    }
    return false;
}

// Counts equal list lengths, names are terminated, cursors belong to their parents.
void ExpectConsistent(const CChannelDatabase& db)
{
    const SatelliteList* root = db.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->satelliteCount, Length(root->firstSatellite));
    for (const SatelliteRecord* s = root->firstSatellite; s; s = s->next) {
        EXPECT_EQ(s->transponderCount, Length(s->firstTransponder));
        EXPECT_NE(std::memchr(s->name, 0, sizeof s->name), nullptr);
        for (const TransponderRecord* t = s->firstTransponder; t; t = t->next) {
            EXPECT_EQ(t->pidCount, Length(t->firstPid));
            for (const PidRecord* p = t->firstPid; p; p = p->next)
                EXPECT_NE(std::memchr(p->name, 0, sizeof p->name), nullptr);
        }
    }
    if (db.CurrentSatellite())
        EXPECT_TRUE(Holds(root->firstSatellite, db.CurrentSatellite()));
    if (db.CurrentTransponder())
        EXPECT_TRUE(db.CurrentSatellite() && Holds(db.CurrentSatellite()->firstTransponder, db.CurrentTransponder()));
    else
        EXPECT_EQ(db.CurrentPid(), nullptr);
    if (db.CurrentPid())
        EXPECT_TRUE(Holds(db.CurrentTransponder()->firstPid, db.CurrentPid()));
}

class ChannelDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.Valid());
        path = scratch.Path("satedata.dll");
        db.LoadFile(path);
    }

    // One satellite with two transponders, the first with one PID.
    void AddSampleSatellite()
    {
        auto satellite = Satellite("Astra 19.2E", 192);
        satellite->lnbFreq1 = 9750;
        satellite->lnbFreq2 = 10600;
        satellite->tone22k = 1;
        satellite->diseqcPort = 2;
        satellite->dishType = 3;
        satellite->lnbPower = 4;
        satellite->lnbType = 5;
        ASSERT_EQ(db.AddSatellite(std::move(satellite), 1), 1);
        ASSERT_EQ(db.AddTransponder(Transponder(11778, 27500, 0, "11778V/27500"), 1), 1);
        ASSERT_EQ(db.AddPid(Pid(0x01020304, 2, "news", 1), 1), 1);
        ASSERT_EQ(db.AddTransponder(Transponder(12188, 27500, 1, "12188H/27500"), 0), 1);
    }

    ScratchDirectory scratch;
    std::string path;
    CChannelDatabase db;
};

TEST_F(ChannelDatabaseTest, EmptyDatabaseIsFourZeroBytesAndReloadsEmpty)
{
    CChannelDatabase fresh;
    EXPECT_EQ(fresh.Save(path), 0) << "nothing loaded yet";
    EXPECT_EQ(fresh.AddSatellite(Satellite("A", 1), 1), 0);

    EXPECT_NE(db.Root(), nullptr) << "a missing file still leaves a usable database";
    EXPECT_EQ(db.FilePath(), path);
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(scratch.Read("satedata.dll"), std::string(4, '\0'));

    CChannelDatabase reloaded;
    EXPECT_EQ(reloaded.Load(path), 1);
    EXPECT_EQ(reloaded.Root()->satelliteCount, 0);
    EXPECT_EQ(reloaded.CurrentSatellite(), nullptr);
    EXPECT_EQ(reloaded.CurrentTransponder(), nullptr);
    EXPECT_EQ(reloaded.CurrentPid(), nullptr);
}

TEST_F(ChannelDatabaseTest, FileLayoutPutsEveryFieldAtItsOffset)
{
    AddSampleSatellite();
    ASSERT_EQ(db.Save(), 1);
    const std::string file = scratch.Read("satedata.dll");
    ASSERT_EQ(file.size(), 200u);

    EXPECT_EQ(Int32At(file, 0), 1);
    EXPECT_EQ(std::string(file.c_str() + 4), "Astra 19.2E");
    EXPECT_EQ(file.substr(4 + 11, 21), std::string(21, '\0'));
    const std::int32_t satellite[] = {192, 9750, 10600, 1, 2, 3, 4, 5, 2};
    for (std::size_t i = 0; i < std::size(satellite); ++i)
        EXPECT_EQ(Int32At(file, 36 + 4 * i), satellite[i]) << "satellite field " << i;

    EXPECT_EQ(std::string(file.c_str() + 72), "11778V/27500");
    EXPECT_EQ(Int32At(file, 104), 11778);
    EXPECT_EQ(Int32At(file, 108), 27500);
    EXPECT_EQ(Int32At(file, 112), 0);
    EXPECT_EQ(Int32At(file, 116), 1);

    EXPECT_EQ(std::string(file.c_str() + 120), "news");
    EXPECT_EQ(Int32At(file, 140), 1);
    EXPECT_EQ(Int32At(file, 144), 2);
    EXPECT_EQ(file.substr(148, 4), std::string("\x04\x03\x02\x01", 4)) << "little-endian";

    EXPECT_EQ(std::string(file.c_str() + 152), "12188H/27500");
    EXPECT_EQ(Int32At(file, 184), 12188);
    EXPECT_EQ(Int32At(file, 192), 1);
    EXPECT_EQ(Int32At(file, 196), 0);
}

TEST_F(ChannelDatabaseTest, LoadRestoresRecordsAndPointsCursorsAtFirstRecords)
{
    AddSampleSatellite();
    db.Root()->firstSatellite->lnbFreq1 = -1;   // shown unsigned: 4294967295
    db.Root()->firstSatellite->name[30] = 'x';  // bytes after the terminator are kept
    ASSERT_EQ(db.AddSatellite(Satellite("Hotbird", 130), 1), 1);
    ASSERT_EQ(db.Save(), 1);

    CChannelDatabase loaded;
    ASSERT_EQ(loaded.Load(path), 1);
    ExpectConsistent(loaded);
    const SatelliteRecord* first = loaded.Root()->firstSatellite;
    ASSERT_EQ(loaded.Root()->satelliteCount, 2);
    EXPECT_EQ(loaded.CurrentSatellite(), first);
    EXPECT_EQ(loaded.CurrentTransponder(), first->firstTransponder);
    EXPECT_EQ(loaded.CurrentPid(), first->firstTransponder->firstPid);
    EXPECT_EQ(first->lnbFreq1, -1);
    EXPECT_EQ(first->name[30], 'x');
    EXPECT_EQ(first->lnbType, 5);
    EXPECT_EQ(first->firstTransponder->next->polarity, 1);
    EXPECT_EQ(loaded.CurrentPid()->loaded, 1);
    EXPECT_EQ(loaded.CurrentPid()->pid, 0x01020304);
    EXPECT_STREQ(first->next->name, "Hotbird");

    ASSERT_EQ(loaded.Save(scratch.Path("copy.dll")), 1);
    EXPECT_EQ(scratch.Read("copy.dll"), scratch.Read("satedata.dll"));
}

TEST_F(ChannelDatabaseTest, FindMatchesSatelliteNamesInAnyCaseAndTranspondersByValues)
{
    AddSampleSatellite();
    ASSERT_EQ(db.AddSatellite(Satellite("\xC4sia", 400), 0), 1);   // Latin-1 capital A umlaut

    EXPECT_EQ(db.FindSatellite(Satellite("ASTRA 19.2e", 192).get()), db.Root()->firstSatellite);
    EXPECT_EQ(db.FindSatellite(Satellite("Astra 19.2E", 191).get()), nullptr);
    EXPECT_EQ(db.FindSatellite(Satellite("Astra", 192).get()), nullptr);
    EXPECT_EQ(db.FindSatellite(Satellite("\xE4SIA", 400).get()), db.Root()->firstSatellite->next);
    EXPECT_EQ(db.FindSatellite(nullptr), nullptr);

    const TransponderRecord* second = db.CurrentSatellite()->firstTransponder->next;
    EXPECT_EQ(db.FindTransponder(Transponder(12188, 27500, 1, "another label").get()), second);
    EXPECT_EQ(db.FindTransponder(Transponder(12188, 27500, 0, "12188H/27500").get()), nullptr);

    EXPECT_NE(db.FindPid(Pid(0x01020304, 2, "other name").get()), nullptr);
    EXPECT_EQ(db.FindPid(Pid(0x01020304, 1).get()), nullptr);

    // Transponders are only looked for in the current satellite.
    db.SelectSatellite(db.Root()->firstSatellite->next);
    EXPECT_EQ(db.FindTransponder(Transponder(12188, 27500, 1).get()), nullptr);
    EXPECT_EQ(db.FindPid(Pid(0x01020304, 2).get()), nullptr);
}

TEST_F(ChannelDatabaseTest, RemoveComparesNamesExactlyAndResetsCursorsToFirstRecords)
{
    AddSampleSatellite();
    ASSERT_EQ(db.AddSatellite(Satellite("Hotbird", 130), 0), 1);
    ASSERT_EQ(db.AddSatellite(Satellite("Thor", 3592), 1), 1);
    ASSERT_EQ(db.AddTransponder(Transponder(10800, 24500, 1), 1), 1);

    EXPECT_EQ(db.RemoveSatellite(Satellite("HOTBIRD", 130).get()), 0);
    EXPECT_EQ(db.RemoveSatellite(Satellite("Hotbird", 131).get()), 0);
    EXPECT_EQ(db.RemoveSatellite(Satellite("Thor", 3592).get()), 1);
    EXPECT_EQ(db.Root()->satelliteCount, 2);
    const SatelliteRecord* first = db.Root()->firstSatellite;
    EXPECT_EQ(db.CurrentSatellite(), first) << "the first satellite, not a neighbour";
    EXPECT_EQ(db.CurrentTransponder(), first->firstTransponder);
    EXPECT_EQ(db.CurrentPid(), first->firstTransponder->firstPid);
    ExpectConsistent(db);

    EXPECT_EQ(db.RemovePid(Pid(0x01020304, 2, "News").get()), 0) << "names compare exactly";
    EXPECT_EQ(db.RemovePid(Pid(0x01020304, 2, "news").get()), 1);
    EXPECT_EQ(db.CurrentPid(), nullptr);
    EXPECT_EQ(db.CurrentTransponder()->pidCount, 0);

    EXPECT_EQ(db.RemoveTransponder(Transponder(11778, 27500, 0, "renamed").get()), 1);
    EXPECT_EQ(db.CurrentSatellite()->transponderCount, 1);
    EXPECT_EQ(db.CurrentTransponder()->frequency, 12188);
    EXPECT_EQ(db.RemoveTransponder(Transponder(11778, 27500, 0).get()), 0);
    ExpectConsistent(db);

    EXPECT_EQ(db.RemoveSatellite(Satellite("Astra 19.2E", 192).get()), 1);
    EXPECT_EQ(db.RemoveSatellite(Satellite("Hotbird", 130).get()), 1);
    EXPECT_EQ(db.Root()->firstSatellite, nullptr);
    EXPECT_EQ(db.CurrentSatellite(), nullptr);
    EXPECT_EQ(db.RemoveSatellite(nullptr), 0);
}

TEST_F(ChannelDatabaseTest, AddNeedsTheParentCursorAndKeepsOrderAfterRemovals)
{
    EXPECT_EQ(db.AddTransponder(Transponder(1, 2, 3), 1), 0);
    EXPECT_EQ(db.AddPid(Pid(100, 0), 1), 0);
    EXPECT_EQ(db.AddSatellite(nullptr, 1), 0);

    // A satellite handed over with a transponder and PID of its own.
    auto satellite = Satellite("Ready", 10);
    auto transponder = Transponder(11000, 22000, 0);
    transponder->firstPid = Pid(33, 1).release();
    transponder->pidCount = 1;
    satellite->firstTransponder = transponder.release();
    satellite->transponderCount = 1;
    ASSERT_EQ(db.AddSatellite(std::move(satellite), 1), 1);
    EXPECT_EQ(db.CurrentPid()->pid, 33);

    ASSERT_EQ(db.AddSatellite(Satellite("Quiet", 20), 0), 1);
    EXPECT_STREQ(db.CurrentSatellite()->name, "Ready") << "not selected";

    ASSERT_EQ(db.AddPid(Pid(34, 1), 0), 1);
    ASSERT_EQ(db.AddPid(Pid(35, 1), 0), 1);
    EXPECT_EQ(db.RemovePid(Pid(35, 1).get()), 1);
    ASSERT_EQ(db.AddPid(Pid(36, 1), 1), 1);
    EXPECT_EQ(db.CurrentPid()->pid, 36);
    std::vector<std::int32_t> pids;
    for (const PidRecord* p = db.CurrentTransponder()->firstPid; p; p = p->next)
        pids.push_back(p->pid);
    EXPECT_EQ(pids, (std::vector<std::int32_t>{33, 34, 36}));

    EXPECT_EQ(db.RemoveSatellite(Satellite("Quiet", 20).get()), 1);
    ASSERT_EQ(db.AddSatellite(Satellite("Last", 30), 0), 1);
    EXPECT_STREQ(db.Root()->firstSatellite->next->name, "Last");
    EXPECT_EQ(db.Root()->firstSatellite->next->next, nullptr);
    ExpectConsistent(db);

    ASSERT_EQ(db.AddTransponder(Transponder(12000, 27500, 1), 1), 1);
    EXPECT_EQ(db.CurrentPid(), nullptr);
    EXPECT_EQ(db.CurrentSatellite()->firstTransponder->next, db.CurrentTransponder());
    ExpectConsistent(db);
}

TEST_F(ChannelDatabaseTest, SelectMovesCursorsOnlyToStoredRecords)
{
    AddSampleSatellite();
    ASSERT_EQ(db.AddSatellite(Satellite("ASTRA 19.2E", 192), 0), 1);   // same key in other case
    SatelliteRecord* first = db.Root()->firstSatellite;
    SatelliteRecord* twin = first->next;

    db.SelectSatellite(twin);
    EXPECT_EQ(db.CurrentSatellite(), twin) << "the item's own record, not the first match";
    EXPECT_EQ(db.CurrentTransponder(), nullptr);

    auto probe = Satellite("astra 19.2e", 192);
    db.SelectSatellite(probe.get());
    EXPECT_EQ(db.CurrentSatellite(), first) << "a probe selects the stored record";
    EXPECT_EQ(db.CurrentPid(), first->firstTransponder->firstPid);

    db.SelectSatellite(Satellite("Nowhere", 1).get());
    EXPECT_EQ(db.CurrentSatellite(), first);

    TransponderRecord* second = first->firstTransponder->next;
    db.SelectTransponder(second);
    EXPECT_EQ(db.CurrentTransponder(), second);
    EXPECT_EQ(db.CurrentPid(), nullptr);
    db.SelectTransponder(Transponder(1, 1, 1).get());
    EXPECT_EQ(db.CurrentTransponder(), second);

    db.SelectTransponder(first->firstTransponder);
    db.SelectPid(nullptr);
    EXPECT_EQ(db.CurrentPid(), nullptr);
    db.SelectPid(Pid(0x01020304, 2).get());
    EXPECT_EQ(db.CurrentPid(), first->firstTransponder->firstPid);
    db.SelectPid(Pid(7, 2).get());
    EXPECT_EQ(db.CurrentPid(), first->firstTransponder->firstPid);

    db.SelectTransponder(nullptr);
    EXPECT_EQ(db.CurrentTransponder(), nullptr);
    EXPECT_EQ(db.CurrentPid(), nullptr);
    EXPECT_EQ(db.CurrentSatellite(), first);
    db.SelectSatellite(nullptr);
    EXPECT_EQ(db.CurrentSatellite(), nullptr);
}

TEST_F(ChannelDatabaseTest, FailedSaveKeepsTheOldFile)
{
    AddSampleSatellite();
    ASSERT_EQ(db.Save(), 1);
    const std::string before = scratch.Read("satedata.dll");
    ASSERT_EQ(db.AddSatellite(Satellite("Extra", 1), 0), 1);

    // The new copy cannot be created beside the file.
    std::filesystem::create_directory(SideFilePath(path));
    EXPECT_EQ(db.Save(), 0);
    EXPECT_EQ(scratch.Read("satedata.dll"), before);
    std::filesystem::remove(SideFilePath(path));

    EXPECT_EQ(db.Save(scratch.Path("missing/folder.dll")), 0);
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(scratch.Read("satedata.dll").size(), before.size() + 68);
    EXPECT_FALSE(std::filesystem::exists(SideFilePath(path)));
}

TEST(SideFilePath, StaysInTheFolderAndIsNoLongerThanThePath)
{
    for (const std::string path : {"d/satedata.dll", "C:\\d\\DTT.dll", "C:x", "d/~save.new", "~", "d/"}) {
        const std::string side = SideFilePath(path);
        const std::size_t nameStart = path.find_last_of("\\/:") + 1;
        EXPECT_NE(side, path);
        EXPECT_LE(side.size(), std::max<std::size_t>(path.size(), nameStart + 1)) << path;
        EXPECT_EQ(side.substr(0, nameStart), path.substr(0, nameStart)) << path;
        EXPECT_EQ(side.find_first_of("\\/:", nameStart), std::string::npos) << path;
    }
}

TEST_F(ChannelDatabaseTest, ReadOnlyFileIsOverwritten)
{
    ASSERT_EQ(db.Save(), 1);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    AddSampleSatellite();
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(scratch.Read("satedata.dll").size(), 200u);
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_TRUE(status.st_mode & S_IWUSR);
}

TEST_F(ChannelDatabaseTest, LoadFileWithEmptyPathChangesNothing)
{
    AddSampleSatellite();
    db.LoadFile("");
    EXPECT_EQ(db.FilePath(), path);
    EXPECT_EQ(db.Root()->satelliteCount, 1);
    EXPECT_EQ(db.Load(""), 0);
    EXPECT_EQ(db.Root()->satelliteCount, 0);
    EXPECT_EQ(db.Load(scratch.Path("")), 0) << "a folder is no database file";
    db.Clear();
    EXPECT_EQ(db.Root(), nullptr);
    EXPECT_EQ(db.Save(), 0);
}

// A valid file of two satellites: 4 + (68 + 48 + 32 + 32) + (68 + 48) = 300 bytes.
std::string SampleFile()
{
    CChannelDatabase db;
    db.Load("");
    db.AddSatellite(Satellite("One", 10), 1);
    db.AddTransponder(Transponder(11000, 27500, 0), 1);
    db.AddPid(Pid(100, 0), 0);
    db.AddPid(Pid(101, 1), 0);
    db.AddSatellite(Satellite("Two", 20), 1);
    db.AddTransponder(Transponder(12000, 22000, 1), 1);
    const std::vector<std::uint8_t> bytes = WriteChannelFile(*db.Root());
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(ChannelDatabaseTest, TruncatedFilesKeepEveryWholeRecord)
{
    const std::string file = SampleFile();
    ASSERT_EQ(file.size(), 300u);
    for (std::size_t length = 0; length < file.size(); ++length) {
        scratch.Write("cut.dll", file.substr(0, length));
        CChannelDatabase cut;
        EXPECT_EQ(cut.Load(scratch.Path("cut.dll")), 0) << length;
        ExpectConsistent(cut);
    }
    // Cut inside the second PID: the first satellite, its transponder and one PID remain.
    scratch.Write("cut.dll", file.substr(0, 4 + 68 + 48 + 32 + 31));
    CChannelDatabase cut;
    cut.Load(scratch.Path("cut.dll"));
    EXPECT_EQ(cut.Root()->satelliteCount, 1);
    EXPECT_EQ(cut.CurrentTransponder()->pidCount, 1);
    EXPECT_EQ(cut.CurrentPid()->pid, 100);

    scratch.Write("long.dll", file + "x");
    EXPECT_EQ(cut.Load(scratch.Path("long.dll")), 0) << "bytes after the last record";
    EXPECT_EQ(cut.Root()->satelliteCount, 2);
}

TEST(ChannelFileFormatTest, CountsAreNotBelievedBeyondTheData)
{
    std::string file = SampleFile();
    file.replace(0, 4, Int32Bytes(0x7FFFFFFF));
    file.replace(4 + 64, 4, Int32Bytes(-5));   // the first satellite's transponder count
    SatelliteList list;
    ChannelFileReadResult result =
        ReadChannelFile(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()), list);
    EXPECT_FALSE(result.complete);
    // The negative count reads no transponders, so its blocks are read as satellites.
    EXPECT_EQ(list.satelliteCount, Length(list.firstSatellite));
    EXPECT_EQ(list.firstSatellite->transponderCount, 0);
    const SatelliteRecord* last = list.firstSatellite;
    while (last->next)
        last = last->next;
    EXPECT_EQ(result.lastSatellite, last);
    DeleteSatelliteChain(list.firstSatellite);

    SatelliteList none;
    const std::string negative = Int32Bytes(-1);
    result = ReadChannelFile(std::span(reinterpret_cast<const std::uint8_t*>(negative.data()), 4), none);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(none.firstSatellite, nullptr);

    // 20 name bytes without a zero: the last one becomes the terminator.
    std::string unterminated = Int32Bytes(1) + std::string(32, 'S') + std::string(32, '\0') + Int32Bytes(1) +
                      std::string(32, 'T') + std::string(12, '\0') + Int32Bytes(1) + std::string(32, 'P');
    SatelliteList named;
    result = ReadChannelFile(std::span(reinterpret_cast<const std::uint8_t*>(unterminated.data()), unterminated.size()), named);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(std::string(named.firstSatellite->name), std::string(31, 'S'));
    EXPECT_EQ(std::string(named.firstSatellite->firstTransponder->name), std::string(31, 'T'));
    EXPECT_EQ(std::string(named.firstSatellite->firstTransponder->firstPid->name), std::string(19, 'P'));
    DeleteSatelliteChain(named.firstSatellite);
}

}  // namespace
