#include "driver/DriverGate.h"

#include "driver/GatedDriver.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

// Shared by the gate, its leases and the calls in flight, so that a worker
// still inside the library when the program's objects go keeps what it needs.
class DriverGateCore final : public CallPassage {
public:
    DriverGateCore(ReceiverDriver& card, std::chrono::milliseconds callWait) : callWait(callWait), driver(card, *this)
    {
    }

    // CallPassage
    bool Enter(std::string_view name, std::string_view& why) override;
    void Leave() override;
    DriverCallObserver* Observer() override { return closed.load() ? nullptr : observer.load(); }

    bool TakeLease(std::chrono::milliseconds wait);
    void SetOwner(std::thread::id owner);
    void ReleaseLease();
    bool IsBusy() const;
    bool WaitUntilFree(std::chrono::milliseconds wait) const;
    std::optional<CallInFlight> CurrentCall() const;
    void Close();

    const std::chrono::milliseconds callWait;
    std::atomic<DriverCallObserver*> observer{nullptr};
    std::atomic<bool> closed{false};
    GatedDriver driver;

private:
    using Clock = std::chrono::steady_clock;

    mutable std::mutex mutex;
    mutable std::condition_variable freed;
    bool leased = false;     // a lease holds the gate
    bool callHeld = false;   // a single call without a lease holds it
    std::thread::id owner;   // whose calls pass while leased; none after a hand-over
    int callDepth = 0;
    std::string_view callName;
    Clock::time_point callStarted;
};

bool DriverGateCore::Enter(std::string_view name, std::string_view& why)
{
    std::unique_lock lock(mutex);
    const bool ownLease = leased && owner == std::this_thread::get_id();
    if (!ownLease) {
        const auto free = [this] { return closed.load() || (!leased && !callHeld); };
        if (!freed.wait_for(lock, callWait, free)) {
            why = "the card is busy with another call";
            return false;
        }
    }
    if (closed.load()) {
        why = "the driver was released";
        return false;
    }
    if (!ownLease)
        callHeld = true;
    if (callDepth++ == 0) {
        callName = name;
        callStarted = Clock::now();
    }
    return true;
}

void DriverGateCore::Leave()
{
    std::lock_guard lock(mutex);
    if (--callDepth == 0)
        callName = {};
    if (callHeld && callDepth == 0) {
        callHeld = false;
        freed.notify_all();
    }
}

bool DriverGateCore::TakeLease(std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex);
    const auto free = [this] { return closed.load() || (!leased && !callHeld); };
    if (!freed.wait_for(lock, wait, free) || closed.load())
        return false;
    leased = true;
    owner = std::this_thread::get_id();
    return true;
}

void DriverGateCore::SetOwner(std::thread::id newOwner)
{
    std::lock_guard lock(mutex);
    owner = newOwner;
}

void DriverGateCore::ReleaseLease()
{
    std::lock_guard lock(mutex);
    leased = false;
    owner = std::thread::id();
    freed.notify_all();
}

bool DriverGateCore::IsBusy() const
{
    std::lock_guard lock(mutex);
    return leased || callHeld;
}

bool DriverGateCore::WaitUntilFree(std::chrono::milliseconds wait) const
{
    std::unique_lock lock(mutex);
    return freed.wait_for(lock, wait, [this] { return !leased && !callHeld; });
}

std::optional<CallInFlight> DriverGateCore::CurrentCall() const
{
    std::lock_guard lock(mutex);
    if (callDepth == 0)
        return std::nullopt;
    return CallInFlight{callName, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - callStarted)};
}

void DriverGateCore::Close()
{
    std::lock_guard lock(mutex);
    closed = true;
    freed.notify_all();
}

DriverLease::DriverLease(DriverLease&& other) noexcept : core(std::move(other.core)) {}

DriverLease& DriverLease::operator=(DriverLease&& other) noexcept
{
    if (this != &other) {
        Release();
        core = std::move(other.core);
    }
    return *this;
}

DriverLease::~DriverLease() { Release(); }

void DriverLease::HandOver()
{
    if (core)
        core->SetOwner(std::thread::id());
}

void DriverLease::Adopt()
{
    if (core)
        core->SetOwner(std::this_thread::get_id());
}

void DriverLease::Release()
{
    if (core) {
        core->ReleaseLease();
        core.reset();
    }
}

DriverGate::DriverGate(ReceiverDriver& card, std::chrono::milliseconds callWait)
    : core(std::make_shared<DriverGateCore>(card, callWait))
{
}

DriverGate::~DriverGate() = default;

ReceiverDriver& DriverGate::Driver() { return core->driver; }

std::chrono::milliseconds DriverGate::CallWait() const { return core->callWait; }

void DriverGate::SetObserver(DriverCallObserver* observer) { core->observer = observer; }

std::optional<DriverLease> DriverGate::TryLease() { return Lease(std::chrono::milliseconds(0)); }

std::optional<DriverLease> DriverGate::Lease(std::chrono::milliseconds wait)
{
    if (!core->TakeLease(wait))
        return std::nullopt;
    return DriverLease(core);
}

bool DriverGate::IsBusy() const { return core->IsBusy(); }

bool DriverGate::WaitUntilFree(std::chrono::milliseconds wait) const { return core->WaitUntilFree(wait); }

std::optional<CallInFlight> DriverGate::CurrentCall() const { return core->CurrentCall(); }

void DriverGate::WhenFree(std::function<void(ReceiverDriver&)> work)
{
    const auto run = [](std::shared_ptr<DriverGateCore> core, std::function<void(ReceiverDriver&)> job) {
        // Woken by the gate's release or its closing.
        while (!core->closed.load()) {
            if (core->TakeLease(std::chrono::hours(1))) {
                DriverLease lease(core);
                job(core->driver);
                return;
            }
        }
    };
    try {
        std::thread(run, core, std::move(work)).detach();
    } catch (const std::system_error&) {
        // Without a thread the work cannot wait: it is dropped, as a call
        // refused for a busy card is.
    }
}

void DriverGate::Close() { core->Close(); }

bool DriverGate::IsClosed() const { return core->closed.load(); }
