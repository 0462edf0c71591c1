#include "app/TraceLog.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>

namespace {
constexpr std::chrono::milliseconds kShutdownWait{2000};
}

// Shared with the writer thread, which may outlive the log when the disk
// hangs at shutdown.
struct TraceLog::Shared {
    Shared(std::unique_ptr<LogStorage> storage, TraceLogLimits limits) : storage(std::move(storage)), limits(limits) {}

    void WriteBatch(const std::deque<std::string>& lines);
    void Run();

    std::unique_ptr<LogStorage> storage;
    const TraceLogLimits limits;
    std::atomic<bool> enabled{false};

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> queue;
    std::size_t queuedBytes = 0;
    std::uint64_t dropped = 0;
    bool writing = false;
    bool stopping = false;
    bool finished = false;
};

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

void TraceLog::Shared::WriteBatch(const std::deque<std::string>& lines)
{
    std::uint64_t size = storage->CurrentSize();
    std::string chunk;
    const auto writeChunk = [&] {
        if (!chunk.empty() && storage->Append(chunk))
            size += chunk.size();
        chunk.clear();
    };
    for (const std::string& line : lines) {
        if (size + chunk.size() + line.size() > limits.rotateAt) {
            writeChunk();
            // A log that cannot be rotated must not grow beyond its size.
            if (size > 0 && !storage->Rotate())
                return;
            size = 0;
        }
        chunk += line;
    }
    writeChunk();
}

void TraceLog::Shared::Run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return !queue.empty() || stopping; });
        if (queue.empty())
            break;
        std::deque<std::string> batch;
        batch.swap(queue);
        queuedBytes = 0;
        writing = true;
        lock.unlock();
        WriteBatch(batch);
        lock.lock();
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

TraceLog::~TraceLog()
{
    if (!writer.joinable())
        return;
    std::unique_lock lock(shared->mutex);
    shared->stopping = true;
    shared->changed.notify_all();
    const bool finished = shared->changed.wait_for(lock, kShutdownWait, [this] { return shared->finished; });
    lock.unlock();
    if (finished)
        writer.join();
    else
        writer.detach();
}

void TraceLog::SetEnabled(bool enabled)
{
    std::lock_guard lock(shared->mutex);
    shared->enabled = enabled;
    if (enabled && !writer.joinable())
        writer = std::thread([state = shared] { state->Run(); });
}

bool TraceLog::IsEnabled() const
{
    return shared->enabled;
}

bool TraceLog::Add(const LocalTime& time, std::uint32_t threadId, std::string_view text)
{
    if (!shared->enabled)
        return false;
    std::string line = FormatTraceLogLine(time, threadId, text);
    std::lock_guard lock(shared->mutex);
    if (shared->queuedBytes + line.size() > shared->limits.queuedBytes) {
        ++shared->dropped;
        return false;
    }
    if (shared->dropped > 0) {
        char note[96];
        std::snprintf(note, sizeof note, "(%llu trace lines lost: the disk was too slow)\n",
                      static_cast<unsigned long long>(shared->dropped));
        shared->queue.push_back(FormatTraceLogLine(time, threadId, note));
        shared->dropped = 0;
    }
    shared->queuedBytes += line.size();
    shared->queue.push_back(std::move(line));
    shared->changed.notify_all();
    return true;
}

bool TraceLog::Flush(std::chrono::milliseconds limit)
{
    std::unique_lock lock(shared->mutex);
    return shared->changed.wait_for(lock, limit, [this] { return shared->queue.empty() && !shared->writing; });
}
