// What the session asks of the PID page, which registers itself with the
// session when it is made.
#pragma once

#include "driver/DriverRecords.h"
#include "reception/MacAddressText.h"

#include <optional>

class PidPageLink {
public:
    virtual ~PidPageLink() = default;

    // After each successful lock and filter start: every PID marked as loaded to the card.
    virtual void ReloadPids() = 0;
    // A PID of the current transponder is in the card's filter (not refused).
    virtual bool HasLoadedPid() const = 0;
    // Timer 504: the counters shown, and the counters read when the driver gave them.
    virtual std::optional<StatsCounters> RefreshStatistics() = 0;
    // Timer 505: the MAC Address column.
    virtual void RefreshPidMacs() = 0;
    // The address the start-up gave the card's filter.
    virtual void ShowMacAddress(const MacAddress& address) = 0;
};
