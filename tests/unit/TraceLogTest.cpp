#include "app/TraceLog.h"

#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <limits>
#include <mutex>

namespace {

using namespace std::chrono_literals;

const LocalTime kTime{2026, 12, 1, 14, 3, 22, 45};

// A disk under the test's control: it holds writes while told to, writes at
// most `writeLimit` bytes of each (0: every write fails) and refuses
// rotations while `rotationsFail`.
class ScriptedDisk : public LogStorage {
public:
    std::uint64_t CurrentSize() override { return File().size(); }
    std::size_t Append(std::string_view bytes) override
    {
        std::unique_lock lock(mutex);
        ++writesInside;
        changed.notify_all();
        changed.wait(lock, [this] { return !holding; });
        --writesInside;
        const std::size_t written = std::min(bytes.size(), writeLimit.load());
        file.append(bytes.substr(0, written));
        return written;
    }
    bool Rotate() override
    {
        std::lock_guard lock(mutex);
        if (!rotationsFail)
            older = std::exchange(file, std::string());
        return !rotationsFail;
    }

    void Hold(bool hold)
    {
        std::lock_guard lock(mutex);
        holding = hold;
        changed.notify_all();
    }
    // True once a write is held inside the disk.
    bool WaitUntilWriting()
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [this] { return writesInside > 0; });
    }
    std::string File()
    {
        std::lock_guard lock(mutex);
        return file;
    }
    std::string Older()
    {
        std::lock_guard lock(mutex);
        return older;
    }

    std::atomic<std::size_t> writeLimit{std::numeric_limits<std::size_t>::max()};
    std::atomic<bool> rotationsFail{false};

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool holding = false;
    int writesInside = 0;
    std::string file;
    std::string older;
};

struct ScriptedLog {
    explicit ScriptedLog(TraceLogLimits limits = {})
    {
        auto storage = std::make_unique<ScriptedDisk>();
        disk = storage.get();
        log = std::make_unique<TraceLog>(std::move(storage), limits);
        log->SetEnabled(true);
    }
    // Holds the disk with one line inside it, then adds lines; how many the
    // queue refused.
    int FillWhileHeld(const char* text, int lines)
    {
        disk->Hold(true);
        EXPECT_TRUE(log->Add(kTime, 1, "held"));
        EXPECT_TRUE(disk->WaitUntilWriting());
        int refused = 0;
        for (int i = 0; i < lines; ++i)
            refused += log->Add(kTime, 1, text) ? 0 : 1;
        return refused;
    }
    // Lets the disk go and waits until it took what was queued.
    void Release()
    {
        disk->Hold(false);
        EXPECT_TRUE(log->Flush(5s));
    }
    // Adds the line and waits until it went to the disk.
    void Write(const char* text)
    {
        EXPECT_TRUE(log->Add(kTime, 1, text));
        EXPECT_TRUE(log->Flush(5s));
    }

    ScriptedDisk* disk = nullptr;   // owned by the log
    std::unique_ptr<TraceLog> log;
};

std::string Line(const std::string& text) { return "2026-12-01 14:03:22.045 [1] " + text + "\n"; }

TEST(TraceLog, WritesOnlyWhileOn)
{
    ScratchDirectory folder;
    ASSERT_TRUE(folder.Valid());
    TraceLog log(FileLogStorage::InFolder(folder.Path("")));
    EXPECT_FALSE(log.Add(kTime, 1, "off\n"));
    log.SetEnabled(true);
    EXPECT_TRUE(log.Add(kTime, 1, "on\n"));
    log.SetEnabled(false);
    EXPECT_FALSE(log.Add(kTime, 1, "off again\n"));
    ASSERT_TRUE(log.Flush(5s));
    EXPECT_EQ(folder.Read(kTraceLogName), Line("on"));
}

// Only a stored 1 switches the log on: a value of another type or number leaves it off.
TEST(TraceLog, SettingIsOnOnlyForAStoredOne)
{
    MapStore store;
    EXPECT_FALSE(ReadTraceLogSetting(store));
    store.strings["TraceLog"] = "1";
    EXPECT_FALSE(ReadTraceLogSetting(store));
    store.dwords["TraceLog"] = 2;
    EXPECT_FALSE(ReadTraceLogSetting(store));
    ASSERT_TRUE(WriteTraceLogSetting(store, true));
    EXPECT_TRUE(ReadTraceLogSetting(store));
    ASSERT_TRUE(WriteTraceLogSetting(store, false));
    EXPECT_EQ(store.dwords["TraceLog"], 0u);
}

TEST(TraceLog, RotatesSoThatTheTwoFilesKeepTheNewestLinesWithinTwiceTheLimit)
{
    ScratchDirectory folder;
    ASSERT_TRUE(folder.Valid());
    folder.Write(kOlderTraceLogName, "an older log, replaced\n");
    TraceLog log(FileLogStorage::InFolder(folder.Path("")), {100, 64 * 1024});
    log.SetEnabled(true);
    // Each line is 39 bytes: two fit a file of 100.
    for (const char* text : {"line 1\n", "line 2\n", "line 3\n", "line 4\n", "line 5\n"})
        log.Add(kTime, 12345, text);
    ASSERT_TRUE(log.Flush(5s));
    EXPECT_EQ(folder.Read(kOlderTraceLogName),
              "2026-12-01 14:03:22.045 [12345] line 3\n2026-12-01 14:03:22.045 [12345] line 4\n");
    EXPECT_EQ(folder.Read(kTraceLogName), "2026-12-01 14:03:22.045 [12345] line 5\n");
}

TEST(TraceLogLoss, LinesNotWrittenInFullAreCountedAndThoseWrittenAreNot)
{
    ScriptedLog scripted;
    EXPECT_EQ(scripted.FillWhileHeld("next", 3), 0);
    // The held line is written; of the three next in one write, the first
    // fits, the second is cut, the third is not written at all.
    scripted.disk->writeLimit = Line("next").size() + 10;
    scripted.Release();
    scripted.disk->writeLimit = std::numeric_limits<std::size_t>::max();
    scripted.Write("after");
    const std::string file = scripted.disk->File();
    EXPECT_EQ(file.find(Line("held") + Line("next")), 0u) << file;
    const std::string end = Line("(2 trace lines lost: writing the log failed)") + Line("after");
    EXPECT_TRUE(file.ends_with(end)) << file;
}

TEST(TraceLogLoss, LinesAFailedRotationKeepsOutAreCountedAndTheFileDoesNotGrow)
{
    // Two lines of 35 bytes fit the file, the third needs a rotation.
    ScriptedLog scripted({90, 64 * 1024});
    scripted.disk->rotationsFail = true;
    for (const char* text : {"one", "two", "three", "four"})
        scripted.Write(text);
    EXPECT_EQ(scripted.disk->File(), Line("one") + Line("two"));
    scripted.disk->rotationsFail = false;
    scripted.Write("five");
    EXPECT_EQ(scripted.disk->Older(), Line("one") + Line("two"));
    EXPECT_EQ(scripted.disk->File(), Line("(2 trace lines lost: writing the log failed)") + Line("five"));
}

TEST(TraceLogLoss, LinesRefusedByAFullQueueAndANoteThatIsLostItselfAreCountedByCause)
{
    ScriptedLog scripted({1024 * 1024, 200});
    const int refused = scripted.FillWhileHeld("queued", 20);
    ASSERT_GT(refused, 0);
    const int queued = 20 - refused;
    scripted.disk->writeLimit = 0;
    scripted.Release();
    // This line carries the note of the full queue, and is lost with it.
    scripted.Write("lost too");
    scripted.disk->writeLimit = std::numeric_limits<std::size_t>::max();
    scripted.Write("after");
    const int notWritten = 1 + queued + 1;   // the held line, the queued ones, the note's line
    EXPECT_EQ(scripted.disk->File(),
              Line("(" + std::to_string(refused + notWritten) + " trace lines lost: the disk was too slow for " +
                   std::to_string(refused) + ", writing the log failed for " + std::to_string(notWritten) + ")") +
                  Line("after"));
}

TEST(TraceLogEnd, EndingWritesWhatIsQueuedAndTakesNoMoreLines)
{
    ScriptedLog scripted;
    for (const char* text : {"one", "two", "three"})
        EXPECT_TRUE(scripted.log->Add(kTime, 1, text));
    EXPECT_TRUE(scripted.log->End(5s));
    EXPECT_EQ(scripted.disk->File(), Line("one") + Line("two") + Line("three"));
    EXPECT_FALSE(scripted.log->Add(kTime, 1, "after the end"));
    scripted.log->SetEnabled(true);
    EXPECT_FALSE(scripted.log->Add(kTime, 1, "switched on after the end"));
}

}   // namespace
