// The lock sequence of a tuning page: stop the filter, (satellite) send the
// switch commands, tune the card on a worker thread while waiting a bounded
// time, show the outcome and restart the filter when the card is locked.
//
// Each tuning page owns one LockSequence for its card kind and runs it from
// its Lock operation once it has found the main dialog. The request block and
// its result outlive single runs: the same request again (the same seven lock
// values after the same switch command) starts with the previous result, so a
// run that finds 0 reports locked at once while its worker re-tunes in the
// background. Any other request starts from "unknown" and waits for its worker:
// a lock kept for one satellite, polarisation or LNB says nothing of another.
#pragma once

#include "tuning/LockHost.h"
#include "tuning/LockWorker.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>

class ReceiverDriver;
struct SatelliteRecord;
struct TransponderRecord;

// What one lock asks of the card: LockChannel3's values and, on a satellite
// card, the switch command sent before them (22 kHz tone, LNB power, DiSEqC
// data byte with the switch input).
struct LockRequest {
    LockValues values{};
    std::array<std::int32_t, 3> switchCommand{};

    bool operator==(const LockRequest&) const = default;
};

constexpr std::chrono::milliseconds kLockWaitLimit{5000};

// The wait dialog's label: looked up by key, with the kind's English fallback.
inline constexpr char kLockWaitMessageKey[] = "String24";
const char* LockWaitFallbackText(LockKind kind);

class LockSequence {
public:
    // switches is needed for a satellite card only; the page owning the
    // sequence implements it, so it outlives the sequence.
    LockSequence(LockKind kind, ReceiverDriver& driver, SwitchCommandSender* switches = nullptr,
                 std::chrono::milliseconds waitLimit = kLockWaitLimit);
    // Does not wait for a worker still inside the driver: it finds the page
    // gone and makes no further call.
    ~LockSequence();
    LockSequence(const LockSequence&) = delete;
    LockSequence& operator=(const LockSequence&) = delete;

    // satellite is the current satellite (or channel), transponder its current
    // transponder (or tuning values); either null stops after the filter stop.
    void Run(LockHost& host, const SatelliteRecord* satellite, const TransponderRecord* transponder,
             bool silent);

    // The result kept in the request block: 0 locked, 255 not yet known.
    std::int32_t Result() const { return state->Result(); }
    // The QAM size or bandwidth that the automatic search tries first.
    std::int32_t Remembered() const { return state->Remembered(); }

private:
    LockRequest MakeRequest(const SatelliteRecord& satellite, const TransponderRecord& transponder) const;
    void TraceRequest(LockHost& host, const LockValues& values) const;
    void PrepareRequest(const LockRequest& next);
    void WaitForWorker(LockCompletion& completion);
    void StartFilterAfterLock(LockHost& host);

    LockKind kind;
    ReceiverDriver& driver;
    SwitchCommandSender* switches;
    std::chrono::milliseconds waitLimit;
    // Written by the user-interface thread only; each worker gets a copy.
    LockRequest request{};
    std::shared_ptr<LockWorkerState> state;
};
