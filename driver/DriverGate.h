// One call at a time into the card's driver library. The library stands in
// front of one card, and a command sent while another is still running (a
// switch command during a tune, a motor stop garbled by a re-tune) leaves the
// card in a state nobody asked for. Every call of the program goes through
// the gate's driver; a lock worker holds the gate for its whole tune.
//
// The user-interface thread never waits longer than a bound: periodic reads
// skip their turn while the gate is busy, commands wait at most the bound and
// are then refused, and a lock hands the gate it took for its switch commands
// to its worker, so nothing can come between them and the tune.
#pragma once

#include "driver/DriverCallObserver.h"
#include "driver/ReceiverDriver.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

// What a call returns when the gate did not let it through; never a value the
// library gives for a call that reached the card.
constexpr int kDriverCallRefused = -1;

// How long a call of the user-interface thread may wait for the gate: the
// lock wait's bound.
constexpr std::chrono::milliseconds kDriverWaitLimit{5000};

class DriverGateCore;

// Holds the gate until released or destroyed. Calls through the gate's driver
// pass at once on the thread that holds the lease.
class DriverLease {
public:
    DriverLease(DriverLease&& other) noexcept;
    DriverLease& operator=(DriverLease&& other) noexcept;
    DriverLease(const DriverLease&) = delete;
    DriverLease& operator=(const DriverLease&) = delete;
    ~DriverLease();

    // Before the lease goes to another thread: until that thread adopts it,
    // no thread's calls pass, so nothing slips in between.
    void HandOver();
    // The calling thread holds the lease from now on.
    void Adopt();
    void Release();

private:
    friend class DriverGate;
    explicit DriverLease(std::shared_ptr<DriverGateCore> core) : core(std::move(core)) {}

    std::shared_ptr<DriverGateCore> core;
};

// The call the card is working on.
struct CallInFlight {
    std::string_view name;
    std::chrono::milliseconds elapsed{0};
};

class DriverGate {
public:
    // card must outlive every call made through the gate, also those of a
    // worker that still hangs inside the library when the gate is destroyed.
    explicit DriverGate(ReceiverDriver& card, std::chrono::milliseconds callWait = kDriverWaitLimit);
    ~DriverGate();
    DriverGate(const DriverGate&) = delete;
    DriverGate& operator=(const DriverGate&) = delete;

    // Every call through this driver waits for the gate, at most the call
    // wait, unless its thread holds the lease; a call that cannot get through
    // returns kDriverCallRefused without reaching the card.
    ReceiverDriver& Driver();
    // How long a call of a thread without the lease waits for the gate.
    std::chrono::milliseconds CallWait() const;
    // Told of every call from now on; null for none. Must outlive the gate's use.
    void SetObserver(DriverCallObserver* observer);

    std::optional<DriverLease> TryLease();
    std::optional<DriverLease> Lease(std::chrono::milliseconds wait);
    // Held by a lease or a call.
    bool IsBusy() const;
    // True when the gate is free, at once or within the wait.
    bool WaitUntilFree(std::chrono::milliseconds wait) const;
    std::optional<CallInFlight> CurrentCall() const;
    // Runs the work on a thread of its own as soon as the gate is free, for
    // however long that takes, unless the gate is closed first: for what must
    // reach the card whatever holds it now (a dish's stop).
    void WhenFree(std::function<void(ReceiverDriver&)> work);

    // Nothing more reaches the card, and nothing more is reported: the
    // library was released or the program is ending.
    void Close();
    bool IsClosed() const;

private:
    std::shared_ptr<DriverGateCore> core;
};
