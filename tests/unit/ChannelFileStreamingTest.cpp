#include "common/FileIo.h"
#include "database/ChannelDatabase.h"
#include "database/ChannelFileFormat.h"
#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kSatellites = 3;
constexpr int kTranspondersEach = 700;
constexpr int kPidsEach = 2;
// About 3.6 chunks of 64 KB, so records straddle chunk ends.
constexpr std::size_t kLargeFileSize = 4 + kSatellites * 68 + kSatellites * kTranspondersEach * (48 + kPidsEach * 32);

// Every field differs from record to record, so that a misplaced or lost
// byte anywhere shows when the file is read back.
void FillLargeDatabase(CChannelDatabase& db)
{
    int transponderIndex = 0;
    char name[40];
    for (int s = 0; s < kSatellites; ++s) {
        std::snprintf(name, sizeof name, "Satellite %d", s);
        auto satellite = Satellite(name, 10 * s + 1);
        satellite->lnbType = s;
        db.AddSatellite(std::move(satellite), 1);
        for (int t = 0; t < kTranspondersEach; ++t, ++transponderIndex) {
            std::snprintf(name, sizeof name, "T%d", transponderIndex);
            db.AddTransponder(Transponder(10000 + transponderIndex, -transponderIndex, transponderIndex % 2, name), 1);
            for (int p = 0; p < kPidsEach; ++p) {
                std::snprintf(name, sizeof name, "P%d.%d", transponderIndex, p);
                db.AddPid(Pid(2 * transponderIndex + p, p, name, 1 - p), 0);
            }
        }
    }
}

// The first record that is not what FillLargeDatabase stored, or "".
std::string FirstDifference(const SatelliteList& list)
{
    char name[40];
    int transponderIndex = 0;
    int s = 0;
    const SatelliteRecord* satellite = list.firstSatellite;
    for (; satellite; satellite = satellite->next, ++s) {
        std::snprintf(name, sizeof name, "Satellite %d", s);
        if (std::string(satellite->name) != name || satellite->degree != 10 * s + 1 || satellite->lnbType != s ||
            satellite->transponderCount != kTranspondersEach)
            return "satellite " + std::to_string(s);
        for (const TransponderRecord* t = satellite->firstTransponder; t; t = t->next, ++transponderIndex) {
            std::snprintf(name, sizeof name, "T%d", transponderIndex);
            if (std::string(t->name) != name || t->frequency != 10000 + transponderIndex ||
                t->symbolRate != -transponderIndex || t->polarity != transponderIndex % 2 || t->pidCount != kPidsEach)
                return "transponder " + std::to_string(transponderIndex);
            int p = 0;
            for (const PidRecord* pid = t->firstPid; pid; pid = pid->next, ++p) {
                std::snprintf(name, sizeof name, "P%d.%d", transponderIndex, p);
                if (std::string(pid->name) != name || pid->pid != 2 * transponderIndex + p || pid->type != p ||
                    pid->loaded != 1 - p)
                    return "PID " + std::to_string(p) + " of transponder " + std::to_string(transponderIndex);
            }
        }
    }
    return s == kSatellites && transponderIndex == kSatellites * kTranspondersEach ? "" : "record count";
}

// Takes chunks until the `refuseAt`-th (counting from 1; 0 never refuses).
class ScriptedSink : public ByteSink {
public:
    explicit ScriptedSink(int refuseAt = 0) : refuseAt(refuseAt) {}

    bool Write(std::span<const std::uint8_t> chunk) override
    {
        ++calls;
        largest = std::max(largest, chunk.size());
        if (calls == refuseAt)
            return false;
        taken.insert(taken.end(), chunk.begin(), chunk.end());
        return true;
    }

    int refuseAt;
    int calls = 0;
    std::size_t largest = 0;
    std::vector<std::uint8_t> taken;
};

class ChannelFileStreamingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.Valid());
        path = scratch.Path("satedata.dll");
        db.LoadFile(path);
    }

    ScratchDirectory scratch;
    std::string path;
    CChannelDatabase db;
};

TEST_F(ChannelFileStreamingTest, LargeDatabaseSavesInChunksAndReadsBackRecordForRecord)
{
    FillLargeDatabase(db);
    ASSERT_EQ(FirstDifference(*db.Root()), "");

    ScriptedSink sink;
    EXPECT_TRUE(WriteChannelFile(*db.Root(), sink));
    EXPECT_EQ(sink.taken.size(), kLargeFileSize);
    EXPECT_GE(sink.calls, 4);
    EXPECT_LE(sink.largest, 64u * 1024) << "no chunk beyond 64 KB";

    ASSERT_EQ(db.Save(), 1);
    const std::string file = scratch.Read("satedata.dll");
    EXPECT_EQ(file, std::string(sink.taken.begin(), sink.taken.end()));
    EXPECT_FALSE(std::filesystem::exists(SideFilePath(path)));

    CChannelDatabase loaded;
    ASSERT_EQ(loaded.Load(path), 1);
    EXPECT_EQ(FirstDifference(*loaded.Root()), "");
    ASSERT_EQ(loaded.Save(path), 1) << "replacing the file it came from";
    EXPECT_EQ(scratch.Read("satedata.dll"), file);
}

TEST_F(ChannelFileStreamingTest, EncoderStopsAtTheFirstChunkTheSinkRefuses)
{
    FillLargeDatabase(db);
    ScriptedSink refusesSecond(2);
    EXPECT_FALSE(WriteChannelFile(*db.Root(), refusesSecond));
    EXPECT_EQ(refusesSecond.calls, 2) << "nothing is offered after a refusal";

    CChannelDatabase empty;
    empty.Load("");
    ScriptedSink refusesFirst(1);
    EXPECT_FALSE(WriteChannelFile(*empty.Root(), refusesFirst)) << "the last, short chunk counts too";
    EXPECT_EQ(refusesFirst.calls, 1);
}

// The new copy is a link to a device that refuses every write as a full disk
// does: once at the final flush (a small file), once in the middle (a large one).
TEST_F(ChannelFileStreamingTest, FailedWriteKeepsTheOldFileAndRemovesTheCopy)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ASSERT_EQ(db.AddSatellite(std::make_unique<SatelliteRecord>(), 1), 1);
    ASSERT_EQ(db.Save(), 1);
    const std::string before = scratch.Read("satedata.dll");
    ASSERT_EQ(before.size(), 72u);

    for (const bool large : {false, true}) {
        if (large)
            FillLargeDatabase(db);
        else
            ASSERT_EQ(db.AddSatellite(std::make_unique<SatelliteRecord>(), 1), 1);
        std::filesystem::create_symlink("/dev/full", SideFilePath(path));
        EXPECT_EQ(db.Save(), 0) << (large ? "large" : "small");
        EXPECT_EQ(scratch.Read("satedata.dll"), before);
        EXPECT_FALSE(std::filesystem::is_symlink(SideFilePath(path))) << "the failed copy is removed";
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    }
    ASSERT_EQ(db.Save(), 1);
    EXPECT_EQ(std::filesystem::file_size(path), kLargeFileSize + 2 * 68);
}

}  // namespace
