#include "app/TraceLog.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <utility>

namespace {

struct QueuedLine {
    std::string text;          // the line, behind the note of earlier losses when there were any
    LostTraceLines reported;   // what that note counts
};

constexpr char kTraceLogValue[] = "TraceLog";

}   // namespace

bool ReadTraceLogSetting(SettingsStore& store)
{
    std::uint32_t value = 0;
    return store.GetDword(kTraceLogValue, value) && value == 1;
}

bool WriteTraceLogSetting(SettingsStore& store, bool on) { return store.SetDword(kTraceLogValue, on ? 1 : 0); }

// Shared with the writer thread, which may outlive the log when the disk
// hangs at its end.
struct TraceLog::Shared {
    Shared(std::unique_ptr<LogStorage> storage, TraceLogLimits limits) : storage(std::move(storage)), limits(limits) {}

    LostTraceLines WriteBatch(const std::deque<QueuedLine>& lines);
    void Run();

    std::unique_ptr<LogStorage> storage;
    const TraceLogLimits limits;
    std::atomic<bool> enabled{false};

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<QueuedLine> queue;
    std::size_t queuedBytes = 0;
    LostTraceLines lost;
    bool writing = false;
    bool ended = false;
    bool finished = false;
};

LostTraceLines& LostTraceLines::operator+=(const LostTraceLines& more)
{
    queueFull += more.queueFull;
    notWritten += more.notWritten;
    return *this;
}

std::string FormatTraceLogLine(const LocalTime& time, std::uint32_t threadId, std::string_view text)
{
    char prefix[96];
    std::snprintf(prefix, sizeof prefix, "%s [%lu] ", FormatLocalTime(time).c_str(),
                  static_cast<unsigned long>(threadId));
    std::string line = prefix;
    line.append(text.substr(0, kMaxTraceTextLength));
    if (line.back() != '\n')
        line += '\n';
    return line;
}

std::string FormatLostLinesNote(const LostTraceLines& lost)
{
    const auto total = static_cast<unsigned long long>(lost.Total());
    const auto queueFull = static_cast<unsigned long long>(lost.queueFull);
    const auto notWritten = static_cast<unsigned long long>(lost.notWritten);
    if (total == 0)
        return std::string();
    char note[160];
    if (notWritten == 0)
        std::snprintf(note, sizeof note, "(%llu trace lines lost: the disk was too slow)\n", total);
    else if (queueFull == 0)
        std::snprintf(note, sizeof note, "(%llu trace lines lost: writing the log failed)\n", total);
    else
        std::snprintf(note, sizeof note,
                      "(%llu trace lines lost: the disk was too slow for %llu, writing the log failed for %llu)\n",
                      total, queueFull, notWritten);
    return note;
}

// What did not reach the file: lines not written in full, and the earlier
// losses their notes would have told of.
LostTraceLines TraceLog::Shared::WriteBatch(const std::deque<QueuedLine>& lines)
{
    LostTraceLines lost;
    const auto lose = [&](const QueuedLine& line) {
        ++lost.notWritten;
        lost += line.reported;
    };
    std::uint64_t size = storage->CurrentSize();
    auto first = lines.begin();
    std::string chunk;
    const auto writeChunk = [&](std::deque<QueuedLine>::const_iterator end) {
        const std::size_t written = chunk.empty() ? 0 : storage->Append(chunk);
        size += written;
        std::size_t offset = 0;
        for (; first != end; ++first) {
            offset += first->text.size();
            if (offset > written)
                lose(*first);
        }
        chunk.clear();
    };
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (size + chunk.size() + line->text.size() > limits.rotateAt) {
            writeChunk(line);
            // A log that cannot be rotated must not grow beyond its size.
            if (size > 0 && !storage->Rotate()) {
                for (; line != lines.end(); ++line)
                    lose(*line);
                return lost;
            }
            size = 0;
        }
        chunk += line->text;
    }
    writeChunk(lines.end());
    return lost;
}

void TraceLog::Shared::Run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return !queue.empty() || ended; });
        if (queue.empty())
            break;
        std::deque<QueuedLine> batch;
        batch.swap(queue);
        queuedBytes = 0;
        writing = true;
        lock.unlock();
        const LostTraceLines batchLost = WriteBatch(batch);
        lock.lock();
        lost += batchLost;
        writing = false;
        changed.notify_all();
    }
    finished = true;
    changed.notify_all();
}

TraceLog::TraceLog(std::unique_ptr<LogStorage> storage, TraceLogLimits limits)
    : shared(std::make_shared<Shared>(std::move(storage), limits))
{
}

TraceLog::~TraceLog() { End(shared->limits.endWait); }

void TraceLog::SetEnabled(bool enabled)
{
    std::lock_guard lock(shared->mutex);
    shared->enabled = enabled;
    if (enabled && !shared->ended && !writer.joinable())
        writer = std::thread([state = shared] { state->Run(); });
}

bool TraceLog::IsEnabled() const { return shared->enabled; }

bool TraceLog::Add(const LocalTime& time, std::uint32_t threadId, std::string_view text)
{
    if (!shared->enabled)
        return false;
    QueuedLine entry{FormatTraceLogLine(time, threadId, text), {}};
    std::lock_guard lock(shared->mutex);
    if (shared->ended)
        return false;
    if (shared->lost.Total() > 0) {
        entry.text.insert(0, FormatTraceLogLine(time, threadId, FormatLostLinesNote(shared->lost)));
        entry.reported = shared->lost;
    }
    if (shared->queuedBytes + entry.text.size() > shared->limits.queuedBytes) {
        ++shared->lost.queueFull;
        return false;
    }
    shared->lost = {};
    shared->queuedBytes += entry.text.size();
    shared->queue.push_back(std::move(entry));
    shared->changed.notify_all();
    return true;
}

bool TraceLog::Flush(std::chrono::milliseconds limit)
{
    std::unique_lock lock(shared->mutex);
    return shared->changed.wait_for(lock, limit, [this] { return shared->queue.empty() && !shared->writing; });
}

bool TraceLog::End(std::chrono::milliseconds limit)
{
    std::unique_lock lock(shared->mutex);
    shared->ended = true;
    shared->changed.notify_all();
    if (!writer.joinable())
        return shared->queue.empty() && !shared->writing;
    const bool finished = shared->changed.wait_for(lock, limit, [this] { return shared->finished; });
    lock.unlock();
    // Joining a writer stuck in the disk would hold the caller, the program's
    // exit included, for as long as the disk hangs.
    if (finished)
        writer.join();
    else
        writer.detach();
    return finished;
}
