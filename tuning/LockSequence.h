// The lock sequence of a tuning page: stop the filter, (satellite) send the
// switch commands, tune the card on a worker thread while waiting a bounded
// time, show the outcome and restart the filter when the card is locked.
//
// Each tuning page owns one LockSequence for its card kind and runs it from
// its Lock operation. The request block and its result outlive single runs:
// the same request again (the same seven lock values after the same switch
// command) starts with the previous result, so a run that finds 0 reports
// locked at once while its worker re-tunes in the background. Any other
// request starts from "unknown" and waits for its worker: a lock kept for one
// satellite, polarisation or LNB says nothing of another.
//
// The driver gate: a run takes it for the filter stop and the switch commands
// and hands it to its worker for the tune, so nothing comes between them. A
// lock asked for while the gate is busy waits within its bound (the wait
// dialog shown), a silent one does not run at all. The filter starts and the
// PIDs are sent only once the worker's result has arrived and says locked: at
// once when the run waited for it, else when the worker's notice reaches
// OnWorkerDone on the user-interface thread.
#pragma once

#include "tuning/LockHost.h"
#include "tuning/LockWorker.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

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

// The request a lock of these records makes on a card of the kind.
LockRequest MakeLockRequest(LockKind kind, const SatelliteRecord& satellite, const TransponderRecord& transponder);

constexpr std::chrono::milliseconds kLockWaitLimit{5000};

// The wait dialog's label: looked up by key, with the kind's English fallback.
inline constexpr char kLockWaitMessageKey[] = "String24";
const char* LockWaitFallbackText(LockKind kind);

class LockSequence {
public:
    // switches is needed for a satellite card only; the page owning the
    // sequence implements it, so it outlives the sequence. notice hands a
    // worker's end to the user-interface thread, which then calls OnWorkerDone.
    LockSequence(LockKind kind, DriverGate& gate, LockWorkerNotice notice, SwitchCommandSender* switches = nullptr,
                 std::chrono::milliseconds waitLimit = kLockWaitLimit);
    // Does not wait for a worker still inside the driver: it finds the page
    // gone and makes no further call.
    ~LockSequence();
    LockSequence(const LockSequence&) = delete;
    LockSequence& operator=(const LockSequence&) = delete;

    // satellite is the current satellite (or channel), transponder its current
    // transponder (or tuning values); either null stops after the filter stop.
    void Run(LockHost& host, const SatelliteRecord* satellite, const TransponderRecord* transponder, bool silent);
    // The worker of the run has ended: acts on its result unless the run
    // already did, or a later run took its place.
    void OnWorkerDone(LockHost& host, std::uint32_t run);
    // A worker of this sequence has not been heard of yet.
    bool IsTuning() const { return outstanding.has_value(); }
    // The last run for these records has ended, its worker reported a lock and
    // its result was acted on (the filter started): nothing since changed it.
    bool HasLocked(const SatelliteRecord* satellite, const TransponderRecord* transponder) const;
    // The card lost its lock or the dish moved: the kept result says nothing
    // any more, and the next lock of the same target waits for its worker.
    void ForgetKeptResult()
    {
        state->StartNewEpoch();
        lastLocked.reset();
    }

    // The result kept in the request block: 0 locked, 255 not yet known.
    std::int32_t Result() const { return state->Result(); }
    // The QAM size or bandwidth that the automatic search tries first.
    std::int32_t Remembered() const { return state->Remembered(); }

private:
    // The last worker started, until its result was acted on and its notice came.
    struct WorkerRun {
        std::uint32_t id = 0;
        LockRequest request;
        std::shared_ptr<LockCompletion> completion;
        bool lockedShown = false;   // the kept result was shown as locked at once
        bool handled = false;       // the result was acted on (or the wait for it given up)
    };

    void TraceRequest(LockHost& host, const LockValues& values) const;
    void PrepareRequest(const LockRequest& next);
    // A worker that has ended but whose notice has not arrived yet is acted on now.
    void TakeEndedWorker(LockHost& host);
    // A lock of what the running worker tunes to takes its result instead of tuning again.
    bool JoinRunningWorker(LockHost& host, const LockRequest& next);
    // The gate for a run: at once, else (not silent) within the wait with the
    // wait dialog shown. waitShown tells whether the dialog is up.
    std::optional<DriverLease> TakeGate(LockHost& host, bool silent, bool hasTarget, bool& waitShown);
    void Tune(LockHost& host, DriverLease lease, const LockRequest& next, bool silent, bool waitShown,
              std::chrono::steady_clock::time_point deadline);
    void Finish(LockHost& host, WorkerRun& run);
    void GiveUpWaiting(LockHost& host, WorkerRun& run);
    void StartFilterAfterLock(LockHost& host);

    LockKind kind;
    DriverGate& gate;
    LockWorkerNotice notice;
    SwitchCommandSender* switches;
    std::chrono::milliseconds waitLimit;
    // Written by the user-interface thread only; each worker gets a copy.
    LockRequest request{};
    std::shared_ptr<LockWorkerState> state;
    std::optional<WorkerRun> outstanding;
    std::optional<LockRequest> lastLocked;   // the request the last finished run locked
    std::uint32_t lastRun = 0;
};
