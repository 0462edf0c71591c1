#include "app/TraceLog.h"

#include "tests/unit/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

using namespace std::chrono_literals;

const LocalTime kTime{2026, 12, 1, 14, 3, 22, 45};

// A storage that holds every Append until released, and whose rotation can fail.
class SlowStorage : public LogStorage {
public:
    std::uint64_t CurrentSize() override { return std::lock_guard(mutex), written.size(); }
    bool Append(std::string_view bytes) override
    {
        std::unique_lock lock(mutex);
        appending = true;
        released.notify_all();
        released.wait(lock, [this] { return open; });
        written.append(bytes);
        return true;
    }
    bool Rotate() override
    {
        std::lock_guard lock(mutex);
        if (!rotationWorks)
            return false;
        written.clear();
        return true;
    }
    void Release()
    {
        std::lock_guard lock(mutex);
        open = true;
        released.notify_all();
    }
    bool WaitUntilAppending()
    {
        std::unique_lock lock(mutex);
        return released.wait_for(lock, 5s, [this] { return appending; });
    }
    std::string Written() { return std::lock_guard(mutex), written; }

    bool rotationWorks = true;

private:
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
    bool appending = false;
    std::string written;
};

TEST(TraceLog, LineIsTheTraceTextBehindTimeAndThread)
{
    struct Case {
        std::string text;
        std::string line;
    } cases[] = {
        {".....Lock channel.....Frequency:474000,BandWidth:8\n",
         "2026-12-01 14:03:22.045 [4242] .....Lock channel.....Frequency:474000,BandWidth:8\n"},
        {"no line end", "2026-12-01 14:03:22.045 [4242] no line end\n"},
        {"", "2026-12-01 14:03:22.045 [4242] \n"},
        {std::string(5000, 'x'), "2026-12-01 14:03:22.045 [4242] " + std::string(kMaxTraceTextLength, 'x') + "\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatTraceLogLine(kTime, 4242, c.text), c.line);
}

TEST(TraceLog, WritesOnlyWhileOn)
{
    ScratchDirectory folder;
    ASSERT_TRUE(folder.Valid());
    TraceLog log(std::make_unique<FolderLogStorage>(folder.Path("")));
    EXPECT_FALSE(log.Add(kTime, 1, "off\n"));
    log.SetEnabled(true);
    EXPECT_TRUE(log.Add(kTime, 1, "on\n"));
    log.SetEnabled(false);
    EXPECT_FALSE(log.Add(kTime, 1, "off again\n"));
    ASSERT_TRUE(log.Flush(5s));
    EXPECT_EQ(folder.Read(kTraceLogName), "2026-12-01 14:03:22.045 [1] on\n");
}

TEST(TraceLog, RotatesSoThatTheTwoFilesKeepTheNewestLinesWithinTwiceTheLimit)
{
    ScratchDirectory folder;
    ASSERT_TRUE(folder.Valid());
    folder.Write(kOlderTraceLogName, "an older log, replaced\n");
    TraceLog log(std::make_unique<FolderLogStorage>(folder.Path("")), {100, 64 * 1024});
    log.SetEnabled(true);
    // Each line is 39 bytes: two fit a file of 100.
    for (const char* text : {"line 1\n", "line 2\n", "line 3\n", "line 4\n", "line 5\n"})
        log.Add(kTime, 12345, text);
    ASSERT_TRUE(log.Flush(5s));
    EXPECT_EQ(folder.Read(kOlderTraceLogName),
              "2026-12-01 14:03:22.045 [12345] line 3\n2026-12-01 14:03:22.045 [12345] line 4\n");
    EXPECT_EQ(folder.Read(kTraceLogName), "2026-12-01 14:03:22.045 [12345] line 5\n");
}

TEST(TraceLog, SlowDiskLosesLinesBeyondTheQueueButNeverHoldsTheCaller)
{
    auto storage = std::make_unique<SlowStorage>();
    SlowStorage& disk = *storage;
    const std::size_t lineSize = FormatTraceLogLine(kTime, 7, "x\n").size();
    TraceLog log(std::move(storage), {1024 * 1024, 3 * lineSize});
    log.SetEnabled(true);
    ASSERT_TRUE(log.Add(kTime, 7, "x\n"));
    ASSERT_TRUE(disk.WaitUntilAppending());

    const auto start = std::chrono::steady_clock::now();
    int accepted = 0;
    for (int i = 0; i < 100; ++i)
        accepted += log.Add(kTime, 7, "x\n") ? 1 : 0;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(accepted, 3) << "the disk holds the first line; three more fit the queue";
    EXPECT_FALSE(log.Flush(100ms));

    disk.Release();
    ASSERT_TRUE(log.Flush(5s));
    EXPECT_TRUE(log.Add(kTime, 7, "after\n"));
    ASSERT_TRUE(log.Flush(5s));
    EXPECT_EQ(disk.Written().substr(4 * lineSize),
              FormatTraceLogLine(kTime, 7, "(97 trace lines lost: the disk was too slow)\n") +
                  FormatTraceLogLine(kTime, 7, "after\n"));
}

TEST(TraceLog, LogThatCannotBeWrittenOrRotatedIsSimplyNotWritten)
{
    ScratchDirectory scratch;
    ASSERT_TRUE(scratch.Valid());
    scratch.Write("file", "not a folder");
    TraceLog unwritable(std::make_unique<FolderLogStorage>(scratch.Path("file/")));
    unwritable.SetEnabled(true);
    EXPECT_TRUE(unwritable.Add(kTime, 1, "lost\n"));
    EXPECT_TRUE(unwritable.Flush(5s));
    EXPECT_EQ(scratch.Read("file"), "not a folder");

    auto storage = std::make_unique<SlowStorage>();
    SlowStorage& disk = *storage;
    disk.rotationWorks = false;
    disk.Release();
    TraceLog stuck(std::move(storage), {100, 64 * 1024});
    stuck.SetEnabled(true);
    for (int i = 0; i < 10; ++i)
        stuck.Add(kTime, 1, "a line\n");
    ASSERT_TRUE(stuck.Flush(5s));
    EXPECT_LE(disk.Written().size(), 100u) << "the log does not grow beyond its limit";
    EXPECT_FALSE(disk.Written().empty());
}

} // namespace
