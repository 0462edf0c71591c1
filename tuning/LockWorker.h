// The worker side of a lock: the thread that makes the LockChannel3 call(s)
// while the user-interface thread shows the wait dialog.
//
// Lifetime: a worker is detached and owns, jointly with its page, the state it
// touches (LockWorkerState, LockCompletion), so a page may be destroyed while
// a hanging driver keeps its worker inside LockChannel3. Once the page is gone
// the worker makes no further driver call. The driver object itself must live
// until the process ends (the program keeps one for its whole run).
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

class ReceiverDriver;

enum class LockKind { Satellite, Cable, Terrestrial };

// The card kind from GetCIInfo: below 5 satellite, 7 terrestrial, else cable.
LockKind LockKindOf(int deviceKind);

// LockChannel3's seven arguments, in the driver's order.
using LockValues = std::array<std::int32_t, 7>;

constexpr std::int32_t kResultUnknown = 255;

// A one-shot completion signal, one per request, so that a worker that ends
// before the user-interface thread starts waiting is never missed.
class LockCompletion {
public:
    void Signal();
    // True when signalled within the limit.
    bool WaitFor(std::chrono::milliseconds limit);

private:
    std::mutex mutex;
    std::condition_variable signalled;
    bool done = false;
};

// What the page and its workers share. The result word is the only value both
// threads write: the request's epoch in the high half, so that a late worker
// of a superseded request cannot report its lock for the new one.
class LockWorkerState {
public:
    explicit LockWorkerState(std::int32_t initialRemembered) : remembered(initialRemembered) {}

    std::int32_t Result() const;
    std::uint32_t Epoch() const;
    // A request for anything else than the last one: a new epoch whose result is unknown.
    void StartNewEpoch();
    // Stores the result only while the epoch is current; false when superseded.
    bool StoreResult(std::uint32_t epoch, std::int32_t result);

    // Test-and-set of the busy flag in one step: false when a worker is already inside the driver.
    bool TryEnter() { return !busy.exchange(true); }
    void Leave() { busy.store(false); }

    std::int32_t Remembered() const { return remembered.load(); }
    void Remember(std::int32_t value) { remembered.store(value); }

    void Abandon() { abandoned.store(true); }
    bool IsAbandoned() const { return abandoned.load(); }

private:
    std::atomic<std::uint64_t> resultWord{static_cast<std::uint32_t>(kResultUnknown)};
    std::atomic<bool> busy{false};
    std::atomic<std::int32_t> remembered;
    std::atomic<bool> abandoned{false};
};

struct LockJob {
    LockKind kind = LockKind::Satellite;
    LockValues values{};
    std::uint32_t epoch = 0;
};

// Starts a detached worker for the job. The completion is signalled when the
// worker ends, or at once when another worker is still inside the driver or no
// thread could be started.
void StartLockWorker(ReceiverDriver& driver, std::shared_ptr<LockWorkerState> state,
                     std::shared_ptr<LockCompletion> completion, const LockJob& job);

// The driver calls of one job, on the calling thread (the worker's body).
void RunLockJob(ReceiverDriver& driver, LockWorkerState& state, const LockJob& job);

// Waits until no lock worker of any page runs, at most the limit; true when
// none runs. For shutdown, before the driver library is released.
bool WaitForLockWorkers(std::chrono::milliseconds limit);
