// The diagnostic log: trace lines, each behind its local time and thread,
// written by a thread of its own so that a caller never waits for the disk.
// Lines that arrive while the queue is full are counted and lost; the next
// line that fits is preceded by a note of how many. At the rotation size the
// log becomes the older file and a new one starts, so both together stay
// within twice that size. Every member may be called from any thread.
#pragma once

#include "app/LocalTime.h"
#include "app/TraceLogStorage.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

struct TraceLogLimits {
    std::uint64_t rotateAt = 1024 * 1024;   // bytes of one log file
    std::size_t queuedBytes = 64 * 1024;   // lines waiting for the disk
};

// A trace text longer than this is cut; the program's lines are far shorter.
inline constexpr std::size_t kMaxTraceTextLength = 1024;

// "2026-12-01 14:03:22.123 [1234] " and the text, which keeps its own line
// end; a text without one gets "\n".
std::string FormatTraceLogLine(const LocalTime& time, std::uint32_t threadId, std::string_view text);

class TraceLog {
public:
    explicit TraceLog(std::unique_ptr<LogStorage> storage, TraceLogLimits limits = {});
    // Writes what is queued, waiting at most a bounded time for the disk.
    ~TraceLog();
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

    // Off by default; lines added while off are not kept.
    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    // Queues the line; false when off or when the queue was full.
    bool Add(const LocalTime& time, std::uint32_t threadId, std::string_view text);
    // Waits until every line queued so far was handed to the storage; false
    // when that did not happen within the limit.
    bool Flush(std::chrono::milliseconds limit);

private:
    struct Shared;
    std::shared_ptr<Shared> shared;
    std::thread writer;
};
