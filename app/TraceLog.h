// The diagnostic log: trace lines, each behind its local time and thread,
// written by a thread of its own so that a caller never waits for the disk.
// Lines lost (the queue full because the disk is slow, a write or a rotation
// that failed) are counted; the next line that fits is preceded by a note of
// how many. At the rotation size the log becomes the older file and a new one
// starts, so both together stay within twice that size. Every member may be
// called from any thread.
#pragma once

#include "app/LocalTime.h"
#include "app/TraceLogStorage.h"
#include "common/SettingsStore.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

struct TraceLogLimits {
    std::uint64_t rotateAt = 1024 * 1024;   // bytes of one log file
    std::size_t queuedBytes = 64 * 1024;    // lines waiting for the disk
    // How long ending the log waits for the disk to take what is queued.
    std::chrono::milliseconds endWait{2000};
};

// The log's switch in the settings, "TraceLog": on only when it is 1.
bool ReadTraceLogSetting(SettingsStore& store);
// False when it could not be stored.
bool WriteTraceLogSetting(SettingsStore& store, bool on);

// A trace text longer than this is cut; the program's lines are far shorter.
inline constexpr std::size_t kMaxTraceTextLength = 1024;

// "2026-12-01 14:03:22.123 [1234] " and the text, which keeps its own line
// end; a text without one gets "\n".
std::string FormatTraceLogLine(const LocalTime& time, std::uint32_t threadId, std::string_view text);

// Lines lost since the last note, by cause.
struct LostTraceLines {
    std::uint64_t queueFull = 0;    // the disk was too slow
    std::uint64_t notWritten = 0;   // a write or a rotation failed

    std::uint64_t Total() const { return queueFull + notWritten; }
    LostTraceLines& operator+=(const LostTraceLines& more);
};

// "(5 trace lines lost: the disk was too slow)", "(2 trace lines lost: writing
// the log failed)", or both causes with their counts; empty when none.
std::string FormatLostLinesNote(const LostTraceLines& lost);

class TraceLog {
public:
    explicit TraceLog(std::unique_ptr<LogStorage> storage, TraceLogLimits limits = {});
    // Ends the log as End does, within the limits' end wait.
    ~TraceLog();
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

    // Off by default; lines added while off are not kept.
    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    // Queues the line; false when off, ended, or when the queue was full.
    bool Add(const LocalTime& time, std::uint32_t threadId, std::string_view text);
    // Waits until every line queued so far was handed to the storage; false
    // when that did not happen within the limit.
    bool Flush(std::chrono::milliseconds limit);
    // Takes no further lines and gives the writer at most `limit` to write
    // what is queued. A writer still inside the storage then (a disk that
    // hangs) is left to finish by itself, never waited for; false in that case.
    bool End(std::chrono::milliseconds limit);

private:
    struct Shared;
    std::shared_ptr<Shared> shared;
    std::thread writer;
};
