#include "tuning/LockWorker.h"

#include "common/CardKind.h"
#include "driver/ReceiverDriver.h"

#include <span>
#include <system_error>
#include <thread>

namespace {

constexpr std::array<std::int32_t, 5> kQamSizes{16, 32, 64, 128, 256};
constexpr std::array<std::int32_t, 3> kBandwidths{6, 7, 8};

std::uint64_t PackResult(std::uint32_t epoch, std::int32_t result)
{
    return (static_cast<std::uint64_t>(epoch) << 32) | static_cast<std::uint32_t>(result);
}

std::uint32_t EpochOf(std::uint64_t word) { return static_cast<std::uint32_t>(word >> 32); }

// Counts the running workers of every page. Never destroyed: a detached worker
// may still leave after static destruction has begun at exit.
class RunningWorkers {
public:
    void Enter()
    {
        std::lock_guard<std::mutex> guard(mutex);
        ++running;
    }
    void Leave()
    {
        std::lock_guard<std::mutex> guard(mutex);
        --running;
        idle.notify_all();
    }
    bool WaitIdle(std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return idle.wait_for(lock, limit, [this] { return running == 0; });
    }

private:
    std::mutex mutex;
    std::condition_variable idle;
    int running = 0;
};

RunningWorkers& Workers()
{
    static auto* workers = new RunningWorkers;
    return *workers;
}

// One LockChannel3 call. False when the worker must stop: its page is gone or
// another request has replaced its own.
bool TryLock(ReceiverDriver& driver, LockWorkerState& state, std::uint32_t epoch, const LockValues& v,
             std::int32_t& result)
{
    if (state.IsAbandoned())
        return false;
    result = driver.LockChannel3(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    return state.StoreResult(epoch, result);
}

// Tries the value that locked last time first (unless the list starts with it
// anyway), then every candidate in order until one locks.
void SearchAutomatic(ReceiverDriver& driver, LockWorkerState& state, const LockJob& job, std::size_t slot,
                     std::span<const std::int32_t> candidates)
{
    LockValues values = job.values;
    std::int32_t result = kResultUnknown;
    const std::int32_t remembered = state.Remembered();
    if (remembered != candidates.front()) {
        values[slot] = remembered;
        if (!TryLock(driver, state, job.epoch, values, result) || result == 0)
            return;
    }
    for (std::int32_t candidate : candidates) {
        values[slot] = candidate;
        if (!TryLock(driver, state, job.epoch, values, result))
            return;
        if (result == 0) {
            state.Remember(candidate);
            return;
        }
    }
}

void RunWorker(ReceiverDriver* driver, DriverLease lease, std::shared_ptr<LockWorkerState> state,
               std::shared_ptr<LockCompletion> completion, LockJob job, LockWorkerNotice notice)
{
    lease.Adopt();
    RunLockJob(*driver, *state, job);
    // The gate is free before anyone hears of the result, so that what the
    // result sets off (starting the filter) can reach the card.
    lease.Release();
    completion->Signal();
    if (notice && !state->IsAbandoned())
        notice(job.run);
    state.reset();
    completion.reset();
    Workers().Leave();
}

}   // namespace

LockKind LockKindOf(int deviceKind)
{
    if (IsSatelliteCard(deviceKind))
        return LockKind::Satellite;
    return IsTerrestrialCard(deviceKind) ? LockKind::Terrestrial : LockKind::Cable;
}

void LockCompletion::Signal()
{
    std::lock_guard<std::mutex> guard(mutex);
    done = true;
    signalled.notify_all();
}

bool LockCompletion::WaitFor(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex);
    return signalled.wait_for(lock, limit, [this] { return done; });
}

bool LockCompletion::IsSignalled()
{
    std::lock_guard<std::mutex> guard(mutex);
    return done;
}

std::int32_t LockWorkerState::Result() const
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(resultWord.load()));
}

std::uint32_t LockWorkerState::Epoch() const { return EpochOf(resultWord.load()); }

void LockWorkerState::StartNewEpoch()
{
    std::uint64_t current = resultWord.load();
    while (!resultWord.compare_exchange_weak(current, PackResult(EpochOf(current) + 1, kResultUnknown))) {
    }
}

bool LockWorkerState::StoreResult(std::uint32_t epoch, std::int32_t result)
{
    std::uint64_t current = resultWord.load();
    do {
        if (EpochOf(current) != epoch)
            return false;
    } while (!resultWord.compare_exchange_weak(current, PackResult(epoch, result)));
    return true;
}

void RunLockJob(ReceiverDriver& driver, LockWorkerState& state, const LockJob& job)
{
    const bool automatic = job.kind != LockKind::Satellite && job.values[1] == 0;
    if (!automatic) {
        std::int32_t result = kResultUnknown;
        TryLock(driver, state, job.epoch, job.values, result);
    } else if (job.kind == LockKind::Cable) {
        SearchAutomatic(driver, state, job, 2, kQamSizes);
    } else {
        SearchAutomatic(driver, state, job, 1, kBandwidths);
    }
}

void StartLockWorker(ReceiverDriver& driver, DriverLease lease, std::shared_ptr<LockWorkerState> state,
                     std::shared_ptr<LockCompletion> completion, const LockJob& job, LockWorkerNotice notice)
{
    Workers().Enter();
    try {
        std::thread(RunWorker, &driver, std::move(lease), state, completion, job, notice).detach();
    } catch (const std::system_error&) {
        // Nothing was sent: the lease went with the thread that never ran.
        Workers().Leave();
        completion->Signal();
        if (notice)
            notice(job.run);
    }
}

bool WaitForLockWorkers(std::chrono::milliseconds limit) { return Workers().WaitIdle(limit); }
