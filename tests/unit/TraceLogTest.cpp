#include "app/TraceLog.h"

#include "tests/unit/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

using namespace std::chrono_literals;

const LocalTime kTime{2026, 12, 1, 14, 3, 22, 45};

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

} // namespace
