// The worker side of a lock: the thread that makes the LockChannel3 call(s)
// while the user-interface thread shows the wait dialog or goes on with its
// work. The worker is handed the driver gate's lease that its lock took for the
// switch commands and holds it for the whole tune, so no other call reaches
// the card meanwhile; when it is done it frees the gate, then tells the
// user-interface thread, which acts on the result.
//
// Lifetime: a worker is detached and owns, jointly with its page, the state it
// touches (LockWorkerState, LockCompletion, the lease), so a page may be
// destroyed while a hanging driver keeps its worker inside LockChannel3. Once
// the page is gone the worker makes no further driver call and tells nobody.
#pragma once

#include "driver/DriverGate.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

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
    bool IsSignalled();

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

    std::int32_t Remembered() const { return remembered.load(); }
    void Remember(std::int32_t value) { remembered.store(value); }

    void Abandon() { abandoned.store(true); }
    bool IsAbandoned() const { return abandoned.load(); }

private:
    std::atomic<std::uint64_t> resultWord{static_cast<std::uint32_t>(kResultUnknown)};
    std::atomic<std::int32_t> remembered;
    std::atomic<bool> abandoned{false};
};

struct LockJob {
    LockKind kind = LockKind::Satellite;
    LockValues values{};
    std::uint32_t epoch = 0;
    std::uint32_t run = 0;   // which lock started it, for the notice
};

// Told, on the worker's thread, that the worker of a run has ended and freed
// the gate; it hands the news to the user-interface thread (a posted message).
using LockWorkerNotice = std::function<void(std::uint32_t run)>;

// Starts a detached worker for the job with the lease its lock holds (handed
// over). driver is the gate's driver. The completion is signalled and the
// notice given when the worker ends, or at once when no thread could be
// started; a worker whose page is gone gives no notice.
void StartLockWorker(ReceiverDriver& driver, DriverLease lease, std::shared_ptr<LockWorkerState> state,
                     std::shared_ptr<LockCompletion> completion, const LockJob& job, LockWorkerNotice notice);

// The driver calls of one job, on the calling thread (the worker's body).
void RunLockJob(ReceiverDriver& driver, LockWorkerState& state, const LockJob& job);

// Waits until no lock worker of any page runs, at most the limit; true when
// none runs. Tests use it to let a detached worker end before the next case.
bool WaitForLockWorkers(std::chrono::milliseconds limit);
