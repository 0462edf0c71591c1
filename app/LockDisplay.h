// What the lock icons may claim. The card stays locked to what it was last
// locked to while the user picks or creates another satellite, transponder or
// channel; the icons must not call that "locked" before a lock of it has run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CChannelDatabase;

// Every value a lock of the current records sends to the card. Two records
// with the same values are the same signal: the card locked to one is locked
// to the other (a database reloaded by Restore keeps its lock display).
struct LockTarget {
    bool hasTransponder = false;
    std::int32_t frequency = 0;
    std::int32_t symbolRate = 0;
    std::int32_t polarity = 0;
    std::int32_t diseqcPort = 0;
    std::int32_t lnbPower = 0;
    std::int32_t tone22k = 0;
    std::int32_t lnbType = 0;
    std::int32_t lnbFreq1 = 0;
    std::int32_t lnbFreq2 = 0;

    bool operator==(const LockTarget&) const = default;
};

LockTarget CurrentLockTarget(const CChannelDatabase& database);

// result is the driver's lock result (0 locked); lastLocked what the last
// lock was run for, if any.
bool DisplaysLocked(int result, const std::optional<LockTarget>& lastLocked, const LockTarget& current);

// The card reports the last lock, and that lock was for other records than
// the current ones: it receives something else than the selection.
bool LockedElsewhere(int result, const std::optional<LockTarget>& lastLocked, const LockTarget& current);

// The current records as the user knows them, for a tip: "Astra: 11494 MHz H
// 22000" on a satellite card, "City Net: 474000 kHz" otherwise; empty without
// a current transponder or channel.
std::string LockTargetText(const CChannelDatabase& database, bool satelliteCard);
