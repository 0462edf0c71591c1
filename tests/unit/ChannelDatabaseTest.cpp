#include "common/FileIo.h"
#include "database/ChannelDatabase.h"
#include "database/ChannelFileFormat.h"
#include "database/ChannelRecordChains.h"
#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Takes chunks until the `refuseAt`-th (counting from 1; 0 never refuses).
class ScriptedSink : public ByteSink {
public:
    explicit ScriptedSink(int refuseAt = 0) : refuseAt(refuseAt) {}
    bool Write(std::span<const std::uint8_t> chunk) override
    {
        largest = std::max(largest, chunk.size());
        if (++calls == refuseAt)
            return false;
        taken += std::string(chunk.begin(), chunk.end());
        return true;
    }
    int refuseAt;
    int calls = 0;
    std::size_t largest = 0;
    std::string taken;
};

// 2100 transponders of two PIDs: about 3.6 chunks of 64 KB, so records
// straddle chunk ends; every field differs from record to record.
constexpr std::size_t kLargeFileSize = 4 + 3 * 68 + 2100 * (48 + 2 * 32);
void FillLargeDatabase(CChannelDatabase& db)
{
    for (int s = 0, t = 0; s < 3; ++s) {
        db.AddSatellite(Satellite(("Satellite " + std::to_string(s)).c_str(), 10 * s + 1), 1);
        for (int end = t + 700; t < end; ++t) {
            db.AddTransponder(Transponder(10000 + t, -t, t % 2, ("T" + std::to_string(t)).c_str()), 1);
            db.AddPid(Pid(2 * t, 0, ("P" + std::to_string(t)).c_str(), 1), 0);
            db.AddPid(Pid(2 * t + 1, 1, "", 0), 0);
        }
    }
}

std::string FileOf(const CChannelDatabase& db)
{
    const std::vector<std::uint8_t> bytes = WriteChannelFile(*db.Root());
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(ChannelDatabaseTest, EmptyDatabaseIsFourZeroBytesAndReloadsEmpty)
{
    CChannelDatabase fresh;
    EXPECT_EQ(fresh.Save(path), 0) << "nothing loaded yet";
    EXPECT_EQ(fresh.AddSatellite(Satellite("A", 1), 1), 0);
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(scratch.Read("satedata.dll"), std::string(4, '\0'));
    CChannelDatabase reloaded;
    EXPECT_EQ(reloaded.Load(path), 1);
    EXPECT_EQ(reloaded.Root()->satelliteCount, 0);
    EXPECT_EQ(reloaded.CurrentSatellite(), nullptr);
    EXPECT_EQ(db.Load(scratch.Path("")), 0) << "a folder is no database file";
}

TEST_F(ChannelDatabaseTest, FileLayoutPutsEveryFieldAtItsOffset)
{
    AddSampleSatellite();
    ASSERT_EQ(db.Save(), 1);
    const std::string file = scratch.Read("satedata.dll");
    ASSERT_EQ(file.size(), 200u);
    const std::pair<std::size_t, std::int32_t> fields[] = {
        {0, 1},       {36, 192},    {40, 9750},  {44, 10600}, {48, 1},     {52, 2},      {56, 3},   {60, 4},
        {64, 5},      {68, 2},      {104, 11778}, {108, 27500}, {112, 0},   {116, 1},     {140, 1},  {144, 2},
        {148, 0x01020304}, {184, 12188}, {188, 27500}, {192, 1}, {196, 0}};
    for (const auto& [offset, value] : fields)
        EXPECT_EQ(Int32At(file, offset), value) << "at " << offset;
    const std::pair<std::size_t, const char*> names[] = {{4, "Astra 19.2E"}, {72, "11778V/27500"}, {120, "news"}, {152, "12188H/27500"}};
    for (const auto& [offset, name] : names)
        EXPECT_EQ(std::string(file.c_str() + offset), name);
    EXPECT_EQ(file.substr(4 + 11, 21), std::string(21, '\0'));
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
    EXPECT_EQ(loaded.CurrentSatellite(), first);
    EXPECT_EQ(loaded.CurrentPid(), first->firstTransponder->firstPid);
    EXPECT_EQ(first->lnbFreq1, -1);
    EXPECT_EQ(first->name[30], 'x');
    EXPECT_STREQ(first->next->name, "Hotbird");
    ASSERT_EQ(loaded.Save(scratch.Path("copy.dll")), 1);
    EXPECT_EQ(scratch.Read("copy.dll"), scratch.Read("satedata.dll"));
}

TEST_F(ChannelDatabaseTest, LargeDatabaseSavesInChunksAndReadsBackByteForByte)
{
    FillLargeDatabase(db);
    ScriptedSink sink;
    EXPECT_TRUE(WriteChannelFile(*db.Root(), sink));
    EXPECT_EQ(sink.taken.size(), kLargeFileSize);
    EXPECT_LE(sink.largest, 64u * 1024) << "no chunk beyond 64 KB";
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(scratch.Read("satedata.dll"), sink.taken);
    CChannelDatabase loaded;
    ASSERT_EQ(loaded.Load(path), 1);
    ExpectConsistent(loaded);
    EXPECT_EQ(FileOf(loaded), sink.taken);

    ScriptedSink refusesSecond(2);
    EXPECT_FALSE(WriteChannelFile(*db.Root(), refusesSecond));
    EXPECT_EQ(refusesSecond.calls, 2) << "nothing is offered after a refusal";
}

TEST_F(ChannelDatabaseTest, FindAndSelectMatchSatelliteNamesInAnyCaseAndRecordsByValues)
{
    AddSampleSatellite();
    ASSERT_EQ(db.AddSatellite(Satellite("\xC4sia", 400), 0), 1);   // Latin-1 capital A umlaut
    SatelliteRecord* first = db.Root()->firstSatellite;
    EXPECT_EQ(db.FindSatellite(Satellite("ASTRA 19.2e", 192).get()), first);
    EXPECT_EQ(db.FindSatellite(Satellite("Astra 19.2E", 191).get()), nullptr);
    EXPECT_EQ(db.FindSatellite(Satellite("\xE4SIA", 400).get()), first->next);
    const TransponderRecord* second = first->firstTransponder->next;
    EXPECT_EQ(db.FindTransponder(Transponder(12188, 27500, 1, "another label").get()), second);
    EXPECT_EQ(db.FindTransponder(Transponder(12188, 27500, 0).get()), nullptr);
    EXPECT_NE(db.FindPid(Pid(0x01020304, 2, "other name").get()), nullptr);
    EXPECT_EQ(db.FindPid(Pid(0x01020304, 1).get()), nullptr);

    db.SelectSatellite(first->next);
    EXPECT_EQ(db.FindTransponder(Transponder(12188, 27500, 1).get()), nullptr) << "only in the current satellite";
    EXPECT_EQ(db.CurrentTransponder(), nullptr);
    db.SelectSatellite(Satellite("astra 19.2e", 192).get());
    EXPECT_EQ(db.CurrentSatellite(), first) << "a probe selects the stored record";
    EXPECT_EQ(db.CurrentPid(), first->firstTransponder->firstPid);
    db.SelectSatellite(Satellite("Nowhere", 1).get());
    EXPECT_EQ(db.CurrentSatellite(), first);
    db.SelectTransponder(first->firstTransponder->next);
    EXPECT_EQ(db.CurrentPid(), nullptr);
    db.SelectTransponder(Transponder(1, 1, 1).get());
    EXPECT_EQ(db.CurrentTransponder(), first->firstTransponder->next);
}

TEST_F(ChannelDatabaseTest, AddAndRemoveKeepOrderCountsAndCursors)
{
    EXPECT_EQ(db.AddTransponder(Transponder(1, 2, 3), 1), 0) << "needs the parent cursor";
    AddSampleSatellite();
    ASSERT_EQ(db.AddSatellite(Satellite("Hotbird", 130), 0), 1);
    ASSERT_EQ(db.AddSatellite(Satellite("Thor", 3592), 1), 1);
    ASSERT_EQ(db.AddTransponder(Transponder(10800, 24500, 1), 1), 1);
    EXPECT_EQ(db.RemoveSatellite(Satellite("HOTBIRD", 130).get()), 0) << "names compare exactly";
    EXPECT_EQ(db.RemoveSatellite(Satellite("Thor", 3592).get()), 1);
    const SatelliteRecord* first = db.Root()->firstSatellite;
    EXPECT_EQ(db.CurrentSatellite(), first) << "the first satellite, not a neighbour";
    EXPECT_EQ(db.CurrentPid(), first->firstTransponder->firstPid);
    ExpectConsistent(db);

    ASSERT_EQ(db.AddPid(Pid(34, 1), 0), 1);
    ASSERT_EQ(db.AddPid(Pid(35, 1), 0), 1);
    EXPECT_EQ(db.RemovePid(Pid(35, 1).get()), 1);
    ASSERT_EQ(db.AddPid(Pid(36, 1), 1), 1);
    EXPECT_EQ(db.CurrentPid()->pid, 36);
    std::vector<std::int32_t> pids;
    for (const PidRecord* p = db.CurrentTransponder()->firstPid; p; p = p->next)
        pids.push_back(p->pid);
    EXPECT_EQ(pids, (std::vector<std::int32_t>{0x01020304, 34, 36}));
    EXPECT_EQ(db.RemoveTransponder(Transponder(11778, 27500, 0, "renamed").get()), 1);
    EXPECT_EQ(db.CurrentTransponder()->frequency, 12188);
    ExpectConsistent(db);
}

TEST_F(ChannelDatabaseTest, FailedSaveKeepsTheOldFileAndAReadOnlyFileIsOverwritten)
{
    AddSampleSatellite();
    ASSERT_EQ(db.Save(), 1);
    const std::string before = scratch.Read("satedata.dll");
    ASSERT_EQ(db.AddSatellite(Satellite("Extra", 1), 0), 1);
    std::filesystem::create_directory(SideFilePath(path));  // the new copy cannot be created
    EXPECT_EQ(db.Save(), 0);
    EXPECT_EQ(scratch.Read("satedata.dll"), before);
    std::filesystem::remove(SideFilePath(path));
    if (std::filesystem::exists("/dev/full")) {  // a full disk, in the middle of a large file
        FillLargeDatabase(db);
        std::filesystem::create_symlink("/dev/full", SideFilePath(path));
        EXPECT_EQ(db.Save(), 0);
        EXPECT_EQ(scratch.Read("satedata.dll"), before);
        EXPECT_FALSE(std::filesystem::is_symlink(SideFilePath(path))) << "the failed copy is removed";
    }
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(db.Save(), 1);
    EXPECT_NE(scratch.Read("satedata.dll"), before);
    EXPECT_FALSE(std::filesystem::exists(SideFilePath(path)));
    for (const std::string side : {"d/satedata.dll", "C:\\d\\DTT.dll", "C:x", "~"}) {
        const std::size_t nameStart = side.find_last_of("\\/:") + 1;
        EXPECT_EQ(SideFilePath(side).substr(0, nameStart), side.substr(0, nameStart)) << "stays in the folder";
        EXPECT_LE(SideFilePath(side).size(), std::max<std::size_t>(side.size(), nameStart + 1));
    }
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
    return FileOf(db);
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
    scratch.Write("cut.dll", file.substr(0, 4 + 68 + 48 + 32 + 31));  // inside the second PID
    CChannelDatabase cut;
    cut.Load(scratch.Path("cut.dll"));
    EXPECT_EQ(cut.CurrentTransponder()->pidCount, 1);
    EXPECT_EQ(cut.CurrentPid()->pid, 100);
    scratch.Write("long.dll", file + "x");
    EXPECT_EQ(cut.Load(scratch.Path("long.dll")), 0) << "bytes after the last record";
    EXPECT_EQ(cut.Root()->satelliteCount, 2);
}

TEST(ChannelFileFormatTest, CountsAreNotBelievedBeyondTheDataAndNamesGetATerminator)
{
    std::string file = SampleFile();
    file.replace(0, 4, Int32Bytes(0x7FFFFFFF));
    file.replace(4 + 64, 4, Int32Bytes(-5));   // the first satellite's transponder count
    SatelliteList list;
    ChannelFileReadResult result =
        ReadChannelFile(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()), list);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(list.satelliteCount, Length(list.firstSatellite));
    EXPECT_EQ(list.firstSatellite->transponderCount, 0) << "a negative count reads nothing";
    DeleteSatelliteChain(list.firstSatellite);

    const std::string unterminated = Int32Bytes(1) + std::string(32, 'S') + std::string(32, '\0') + Int32Bytes(1) +
                                     std::string(32, 'T') + std::string(12, '\0') + Int32Bytes(1) + std::string(32, 'P');
    SatelliteList named;
    result = ReadChannelFile(std::span(reinterpret_cast<const std::uint8_t*>(unterminated.data()), unterminated.size()), named);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(std::string(named.firstSatellite->name), std::string(31, 'S'));
    EXPECT_EQ(std::string(named.firstSatellite->firstTransponder->firstPid->name), std::string(19, 'P'));
    DeleteSatelliteChain(named.firstSatellite);
}

}  // namespace
