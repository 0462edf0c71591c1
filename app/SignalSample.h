// What the signal history keeps of each reading, counter read and event.
#pragma once

#include "app/LocalTime.h"
#include "app/SignalEvents.h"

#include <cstdint>

// When it was seen: the monotonic time for the plot's axis, the wall-clock
// time for the event list and the CSV.
struct SignalStamp {
    std::int64_t tickMs = 0;
    LocalTime time;
};

// One signal poll, every figure as the card reported it (the main dialog's
// bars show more while locked).
struct SignalSample {
    SignalStamp stamp;
    int strength = 0;
    int quality = 0;
    int lockValue = 0;   // above 0: the card reports a lock

    bool Locked() const { return lockValue > 0; }
};

struct RateSample {
    std::int64_t tickMs = 0;
    double kbps = 0;
};

struct SignalEventRecord {
    SignalStamp stamp;
    SignalEvent event = SignalEvent::LockLost;
    bool fromReading = false;   // raised by the reading of the same stamp
};
