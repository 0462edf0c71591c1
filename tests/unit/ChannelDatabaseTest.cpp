#include "common/FileIo.h"
#include "database/ChannelDatabase.h"
#include "database/ChannelFileFormat.h"
#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>

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
    while (first && first != record)
        first = first->next;
    return first != nullptr;
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
        auto s = Satellite("Astra 19.2E", 192);
        std::tie(s->lnbFreq1, s->lnbFreq2, s->tone22k, s->diseqcPort, s->dishType, s->lnbPower, s->lnbType) =
            std::tuple(9750, 10600, 1, 2, 3, 4, 5);
        ASSERT_EQ(db.AddSatellite(std::move(s), 1), 1);
        ASSERT_EQ(db.AddTransponder(Transponder(11778, 27500, 0, "11778V/27500"), 1), 1);
        ASSERT_EQ(db.AddPid(Pid(0x01020304, 2, "news", 1), 1), 1);
        ASSERT_EQ(db.AddTransponder(Transponder(12188, 27500, 1, "12188H/27500"), 0), 1);
    }

    ScratchDirectory scratch;
    std::string path;
    CChannelDatabase db;
};

TEST_F(ChannelDatabaseTest, FileLayoutPutsEveryFieldAtItsOffset)
{
    AddSampleSatellite();
    ASSERT_EQ(db.Save(), 1);
    const std::string file = scratch.Read("satedata.dll");
    ASSERT_EQ(file.size(), 200u);
    const std::pair<std::size_t, std::int32_t> fields[] = {
        {0, 1},   {36, 192}, {40, 9750},        {44, 10600},  {48, 1},      {52, 2},  {56, 3},
        {60, 4},  {64, 5},   {68, 2},           {104, 11778}, {108, 27500}, {112, 0}, {116, 1},
        {140, 1}, {144, 2},  {148, 0x01020304}, {184, 12188}, {188, 27500}, {192, 1}, {196, 0}};
    for (const auto& [offset, value] : fields)
        EXPECT_EQ(Int32At(file, offset), value) << "at " << offset;
    const std::pair<std::size_t, const char*> names[] = {
        {4, "Astra 19.2E"}, {72, "11778V/27500"}, {120, "news"}, {152, "12188H/27500"}};
    for (const auto& [offset, name] : names)
        EXPECT_EQ(std::string(file.c_str() + offset), name);
    EXPECT_EQ(file.substr(4 + 11, 21), std::string(21, '\0'));
}

TEST_F(ChannelDatabaseTest, LoadRestoresRecordsAndPointsCursorsAtFirstRecords)
{
    AddSampleSatellite();
    db.Root()->firstSatellite->lnbFreq1 = -1;    // shown unsigned: 4294967295
    db.Root()->firstSatellite->name[30] = 'x';   // bytes after the terminator are kept
    ASSERT_EQ(db.AddSatellite(Satellite("Hotbird", 130), 1), 1);
    ASSERT_EQ(db.Save(), 1);

    CChannelDatabase loaded;
    ASSERT_EQ(loaded.Load(path), 1);
    ExpectConsistent(loaded);
    const SatelliteRecord* first = loaded.Root()->firstSatellite;
    EXPECT_EQ(loaded.CurrentSatellite(), first);
    EXPECT_EQ(loaded.CurrentPid(), first->firstTransponder->firstPid);
    EXPECT_EQ(std::tuple(first->lnbFreq1, first->name[30], std::string(first->next->name)),
              std::tuple(-1, 'x', "Hotbird"));
    ASSERT_EQ(loaded.Save(scratch.Path("copy.dll")), 1);
    EXPECT_EQ(scratch.Read("copy.dll"), scratch.Read("satedata.dll"));
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
    scratch.Write("cut.dll", file.substr(0, 4 + 68 + 48 + 32 + 31));   // inside the second PID
    CChannelDatabase cut;
    cut.Load(scratch.Path("cut.dll"));
    EXPECT_EQ(std::pair(cut.CurrentTransponder()->pidCount, cut.CurrentPid()->pid), std::pair(1, 100));
    scratch.Write("long.dll", file + "x");
    EXPECT_EQ(std::pair(cut.Load(scratch.Path("long.dll")), cut.Root()->satelliteCount), std::pair(0, 2))
        << "bytes after the last record";
}

// What the lists hold, as "satellite:frequency(pid pid),frequency();satellite:".
std::string Lists(const CChannelDatabase& db)
{
    std::string text;
    for (const SatelliteRecord* s = db.Root()->firstSatellite; s; s = s->next) {
        text += std::string(s->name) + ":";
        for (const TransponderRecord* t = s->firstTransponder; t; t = t->next) {
            text += std::to_string(t->frequency) + "(";
            for (const PidRecord* p = t->firstPid; p; p = p->next)
                text += std::to_string(p->pid) + (p->next ? " " : "");
            text += t->next ? ")," : ")";
        }
        text += s->next ? ";" : "";
    }
    return text;
}

// The records of a load live together and come back at the next load;
// records added later are freed when removed. Both kinds mix below one
// parent; every removal and the reload free each record once, and the ends
// of the lists never point at a removed record (the sanitizers report a
// wrong or a missing free and a removed record touched again).
TEST_F(ChannelDatabaseTest, LoadedAndAddedRecordsMixAndEachIsFreedOnce)
{
    scratch.Write("satedata.dll", SampleFile());
    ASSERT_EQ(db.Load(path), 1);
    ASSERT_EQ(Lists(db), "One:11000(100 101);Two:12000()");
    ASSERT_EQ(db.RemoveSatellite(Satellite("Two", 20).get()), 1) << "the last one loaded";
    ASSERT_EQ(db.AddSatellite(Satellite("Three", 30), 0), 1);
    ASSERT_EQ(db.RemovePid(Pid(100, 0).get()), 1);
    ASSERT_EQ(db.AddPid(Pid(102, 2), 0), 1);
    ASSERT_EQ(db.AddTransponder(Transponder(11500, 27500, 0), 1), 1);
    ASSERT_EQ(db.AddPid(Pid(103, 3), 0), 1);
    EXPECT_EQ(Lists(db), "One:11000(101 102),11500(103);Three:");
    ASSERT_EQ(db.RemoveTransponder(Transponder(11000, 27500, 0).get()), 1) << "loaded, with an added PID";
    ASSERT_EQ(db.AddTransponder(Transponder(11600, 27500, 0), 0), 1);
    EXPECT_EQ(Lists(db), "One:11500(103),11600();Three:");
    ExpectConsistent(db);
    ASSERT_EQ(db.RemoveSatellite(Satellite("One", 10).get()), 1) << "loaded, with added transponders";
    ASSERT_EQ(db.AddSatellite(Satellite("Four", 40), 1), 1);
    ASSERT_EQ(db.AddTransponder(Transponder(12100, 27500, 0), 1), 1);
    ASSERT_EQ(db.Save(), 1);
    ASSERT_EQ(db.Load(path), 1);
    EXPECT_EQ(Lists(db), "Three:;Four:12100()");
    ExpectConsistent(db);
}

#ifdef LUMISAT_ADDRESS_SANITIZER
void Touch(const std::int32_t& field) { [[maybe_unused]] volatile std::int32_t value = field; }

// What lets the sanitizer see the rule above: a removed record of a load,
// whose memory stays until the next load, is reported when touched, and
// the next load frees the memory of every loaded record.
TEST_F(ChannelDatabaseTest, RemovedAndReloadedRecordsAreReportedWhenTouched)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    scratch.Write("satedata.dll", SampleFile());
    ASSERT_EQ(db.Load(path), 1);
    const PidRecord* removed = db.CurrentPid();
    const TransponderRecord* kept = db.CurrentTransponder();
    ASSERT_EQ(db.RemovePid(Pid(100, 0).get()), 1);
    Touch(kept->frequency);
    EXPECT_DEATH(Touch(removed->pid), "use-after-poison");
    ASSERT_EQ(db.Load(path), 1);
    EXPECT_DEATH(Touch(kept->frequency), "heap-use-after-free");
}
#endif

// Only a file that is there but could not be read whole is guarded: a
// missing one (also behind a folder that is a file) is nothing to lose.
TEST_F(ChannelDatabaseTest, LoadTellsAMissingFileFromOneNotReadWhole)
{
    const std::string file = SampleFile();
    scratch.Write("whole.dll", file);
    scratch.Write("short.dll", file.substr(0, 4 + 68 + 48 + 32 + 16));   // in the middle of a PID block
    scratch.Write("long.dll", file + std::string(32, '\0'));
    scratch.Write("plain", "a file, not a folder");
    std::filesystem::create_directory(scratch.Path("folder.dll"));   // opens, but reads nothing
    struct Case {
        const char* name;
        int result;
        DatabaseLoad outcome;
    };
    const Case cases[] = {
        {"missing.dll", 0, DatabaseLoad::NoFile}, {"plain/satedata.dll", 0, DatabaseLoad::NoFile},
        {"whole.dll", 1, DatabaseLoad::Whole},    {"folder.dll", 0, DatabaseLoad::Unreadable},
        {"short.dll", 0, DatabaseLoad::Damaged},  {"long.dll", 0, DatabaseLoad::Damaged},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string casePath = scratch.Path(test.name);
        const bool unread = test.outcome == DatabaseLoad::Unreadable || test.outcome == DatabaseLoad::Damaged;
        EXPECT_EQ(std::tuple(db.Load(casePath), db.LastLoad(), db.UnreadFile()),
                  std::tuple(test.result, test.outcome, unread ? casePath : std::string()));
        ExpectConsistent(db);
    }
    db.Load("");
    EXPECT_EQ(std::pair(db.LastLoad(), db.UnreadFile()), std::pair(DatabaseLoad::NoFile, std::string()));
}

// A file not read whole is replaced only once that is allowed, and then
// only after its bytes are kept in "<name>.bak"; the guard ends with the
// save that replaced it or with the next load.
TEST_F(ChannelDatabaseTest, UnreadFileIsReplacedOnlyWhenAllowedAndThenBackedUp)
{
    const std::string damaged = SampleFile().substr(0, 150);
    scratch.Write("satedata.dll", damaged);
    db.LoadFile(path);
    ASSERT_EQ(db.UnreadFile(), path);
    ASSERT_EQ(db.AddSatellite(Satellite("Added", 5), 1), 1);

    EXPECT_EQ(db.Save(), 0) << "not allowed";
    EXPECT_EQ(scratch.Read("satedata.dll"), damaged);
    EXPECT_EQ(db.Save(scratch.Path("copy.dll")), 1) << "another file is not guarded";

    db.AllowReplacingUnreadFile();
    std::filesystem::create_directory(scratch.Path("satedata.dll.bak"));   // no backup can be put there
    EXPECT_EQ(db.Save(), 0);
    EXPECT_EQ(scratch.Read("satedata.dll"), damaged);
    std::filesystem::remove(scratch.Path("satedata.dll.bak"));

    scratch.Write("satedata.dll.bak", "an older backup");
    EXPECT_EQ(db.Save(), 1) << "still allowed after the failed attempt";
    EXPECT_EQ(std::tuple(scratch.Read("satedata.dll.bak"), scratch.Read("satedata.dll"), db.UnreadFile()),
              std::tuple(damaged, scratch.Read("copy.dll"), std::string()));
    scratch.Write("satedata.dll.bak", "kept");
    EXPECT_EQ(db.Save(), 1);
    EXPECT_EQ(scratch.Read("satedata.dll.bak"), "kept") << "the file saved over is the list's own";

    scratch.Write("satedata.dll", damaged);
    db.LoadFile(path);
    EXPECT_EQ(db.Save(), 0) << "a load ends the permission";
}

TEST(BackupFilePathTest, AddsBakAndCutsTheNameToFitTheLongestPath)
{
    EXPECT_EQ(BackupFilePath("C:\\Lumisat\\satedata.dll"), "C:\\Lumisat\\satedata.dll.bak");
    EXPECT_EQ(BackupFilePath("C:satedata.dll"), "C:satedata.dll.bak");
    // The folder that makes a path of the name the longest there is.
    const auto folderFor = [](const std::string& name) {
        return "C:\\" + std::string(kLongestFilePath - 4 - name.size(), 'f') + "\\";
    };
    EXPECT_EQ(BackupFilePath(folderFor("satedata.dll") + "satedata.dll"), folderFor("satedata.dll") + "satedata.bak");
    EXPECT_EQ(BackupFilePath(folderFor("satedata.dll") + "sd.dll"), folderFor("satedata.dll") + "sd.dll.bak")
        << "room left";
    EXPECT_EQ(BackupFilePath(folderFor("data.bak") + "data.bak"), folderFor("data.bak") + "$ata.bak")
        << "never the file itself";
    EXPECT_EQ(BackupFilePath(folderFor("ab") + "ab"), folderFor("ab") + "$b");
    EXPECT_EQ(BackupFilePath(folderFor("$b") + "$b"), folderFor("$b") + "~b");
}

}   // namespace
