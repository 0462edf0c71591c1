// Sleep and resume as the program lives through them. At suspend the polls
// stop and the filter stops; after resume (2 s later, when the system has
// settled) reception is restored as after a lost lock, retried with the data
// watchdog's back-off while the card does not answer. A USB card often goes
// at suspend and comes back at resume: its removal does not end the program
// between the suspend and 30 s after the resume, and the restore waits for
// its arrival within those 30 s; a card still gone then is taken as removed.
#pragma once

#include <chrono>

inline constexpr std::chrono::seconds kResumeSettleTime{2};
inline constexpr std::chrono::seconds kCardReturnTime{30};

class PowerCycle {
public:
    using Clock = std::chrono::steady_clock;

    enum class Restore {
        NotNow,     // nothing to restore, or not yet
        Now,        // restore reception
        WaitCard,   // the card went with the sleep and has not come back yet
        CardLost,   // it has not come back in time: its removal takes effect now
    };

    void Suspending(Clock::time_point now);
    // Both resume broadcasts may come: true only for the first after a
    // suspend, when the restore is to be scheduled.
    bool Resumed(Clock::time_point now);
    bool IsSuspended() const { return suspended; }
    // From the suspend until reception was restored: the silent re-lock of
    // the signal poll waits for the restore.
    bool RestorePending() const { return suspended || restorePending; }

    // The receiver's removal: false while it may be the sleep's doing.
    bool RemovalEndsProgram(Clock::time_point now);
    void CardArrived() { cardGone = false; }

    // Asked when the restore's time has come (2 s after the resume, and at
    // each retry).
    Restore RestoreStep(Clock::time_point now);
    // The restore ran (its lock was started): what follows is the lock's.
    void Restored() { restorePending = false; }

private:
    bool WithinCardReturnTime(Clock::time_point now) const;

    bool suspended = false;
    bool restorePending = false;
    bool cardGone = false;
    bool everSuspended = false;
    Clock::time_point resumedAt{};
};
