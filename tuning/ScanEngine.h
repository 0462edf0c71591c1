// A scan: one lock after the other, each through the driver gate, on a
// worker thread of its own while the user-interface thread shows the
// progress. The satellite check locks the transponders of a satellite with
// its LNB and switch settings; the band scans lock frequency after frequency
// with their own search for the cable QAM size or the terrestrial bandwidth.
//
// Per step the worker takes the gate, sends the switch commands when the
// tone, LNB power or switch input and polarisation differ from what it sent
// last, locks, reads the signal the card reports, frees the gate and reports
// the step. The steps work on copies of the records: the database and its
// cursors belong to the user-interface thread, and a scan never moves them.
// Its search neither reads nor changes what a tuning page's lock remembers.
#pragma once

#include "database/ChannelRecords.h"
#include "driver/DriverGate.h"
#include "tuning/LockWorker.h"
#include "tuning/SwitchCommands.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct ScanJob {
    LockKind kind = LockKind::Satellite;
    // Satellite check: the LNB and switch settings (its lists are not used).
    SatelliteRecord satellite;
    // The values to lock, in order (their lists are not used). Band scans:
    // the frequency, and 0 in the QAM size or bandwidth for the search.
    std::vector<TransponderRecord> targets;
};

struct SignalLevels {
    int strength = 0;
    int quality = 0;
};

struct ScanStep {
    std::size_t index = 0;   // of the target in the job
    bool locked = false;
    std::int32_t lockedValue = 0;            // band scans: the QAM size or bandwidth that locked
    std::optional<SignalLevels> signal;      // as the card reported them after the lock; none when it did not answer
    std::chrono::milliseconds lockTime{0};   // the LockChannel3 call(s) of the step
    std::vector<std::string> trace;          // for the diagnostic log, written by the user-interface thread
};

enum class ScanEnd {
    Completed,   // every target was tried (or known to be a channel found already)
    Cancelled,   // by the user: the step in flight finished, no other started
    CardBusy,    // the gate did not come free within its wait: an earlier call holds the card
    Abandoned,   // the window that ran the scan went: nothing more was sent
};

// Told on the worker's thread.
class ScanReport {
public:
    virtual ~ScanReport() = default;
    virtual void Step(ScanStep step) = 0;
    virtual void Ended(ScanEnd end) = 0;
};

// What the user-interface thread and a scan's worker share.
class ScanControl {
public:
    // gate must outlive every call of the worker up to Abandon.
    explicit ScanControl(DriverGate& gate, std::chrono::milliseconds gateWait = kDriverWaitLimit);
    ScanControl(const ScanControl&) = delete;
    ScanControl& operator=(const ScanControl&) = delete;

    // The step in flight finishes; no other step starts.
    void Cancel() { cancelled = true; }
    bool IsCancelled() const { return cancelled.load(); }
    // Nothing more reaches the card, not even the rest of the step in flight
    // (its search, its signal read), and the gate is not touched again: the
    // scan's window goes, or the program ends.
    void Abandon();
    bool IsAbandoned() const { return abandoned.load(); }

    // The worker's side: the gate for one step and the driver behind it,
    // held until the hold is destroyed.
    struct Hold {
        DriverLease lease;
        ReceiverDriver* driver;
    };
    enum class Entry { Entered, Stopped, Busy };
    Entry EnterGate(std::optional<Hold>& hold);

private:
    std::mutex mutex;   // guards the gate against its release by Abandon
    DriverGate* gate;
    const std::chrono::milliseconds gateWait;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> abandoned{false};
};

// How a target is named in the progress, the table and the log: the
// transponder's own name (as the Dish Setting page names it when it has
// none), the channel's frequency as imports name channels.
std::string ScanTargetLabel(LockKind kind, const TransponderRecord& target);
// The same in UTF-8, for the windows: a name from the records is in the
// system's code page, and joined with a translated text it must not garble it.
std::string ScanTargetText(LockKind kind, const TransponderRecord& target);

// The band scans' search: the value that locked last in this scan first,
// then the others in their order.
std::vector<std::int32_t> ScanSearchOrder(LockKind kind, std::int32_t lastLocked);

// Runs the job's steps on the calling thread and returns how it ended; pause
// is the switch command's settle pause.
ScanEnd RunScan(ScanControl& control, const ScanJob& job, ScanReport& report,
                const PauseFunction& pause = SleepMilliseconds);

// RunScan on a detached thread of its own, then Ended with its end. Without
// a thread nothing is sent and the scan ends as cancelled at once.
void StartScanWorker(std::shared_ptr<ScanControl> control, ScanJob job, std::shared_ptr<ScanReport> report);
