// What the signal window keeps of the reception: the signal readings and the
// data rate of the last ten minutes as the card reported them, the events it
// saw, and the peaks since the last reset. Kept while the window is closed
// too, so that it opens on what happened before.
#pragma once

#include "app/DataRate.h"
#include "app/LockDisplay.h"
#include "app/SignalEvents.h"
#include "app/SignalRules.h"
#include "app/SignalSample.h"
#include "app/SignalStatistics.h"
#include "driver/DriverRecords.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class SignalHistory {
public:
    static constexpr std::int64_t kSpanMs = 10 * 60 * 1000;
    // Bounds the memory even if readings came far faster than the poll.
    static constexpr std::size_t kMaxSamples = 6000;
    // Events are rare and tell what happened overnight: they outlive the span.
    static constexpr std::size_t kMaxEvents = 1000;

    // One signal poll. judgedLocked is the signal monitor's verdict on the
    // reading (a lost and a regained lock become events); tuned is the target
    // the card was last tuned for (a tune to another one resets the peaks).
    void AddReading(const SignalStamp& stamp, const SignalReading& reading, bool judgedLocked,
                    const std::optional<LockTarget>& tuned);
    // One read of the reception counters; none when it failed.
    void AddCounters(const SignalStamp& stamp, const std::optional<StatsCounters>& counters);
    // Every event enters here, also those raised outside the signal poll.
    void AddEvent(const SignalStamp& stamp, SignalEvent event) { KeepEvent({stamp, event, false}); }
    void ResetPeaks() { peaks.Reset(); }

    const std::deque<SignalSample>& Samples() const { return samples; }
    const std::deque<RateSample>& Rates() const { return rates; }
    const std::deque<SignalEventRecord>& Events() const { return events; }
    const SignalPeaks& Peaks() const { return peaks; }

private:
    void KeepEvent(const SignalEventRecord& record);

    std::deque<SignalSample> samples;
    std::deque<RateSample> rates;
    std::deque<SignalEventRecord> events;
    SignalPeaks peaks;
    LockEvents lockEvents;
    DataRateMeter rateMeter;
};

// The event list's lines for the record: "17:01:02  Lock lost", after a line
// with its date ("2026-12-07") when the event before it was on another day
// or there was none.
std::vector<std::string> EventListLines(const SignalEventRecord& record, const SignalEventRecord* previous,
                                        const std::string& name);

// A rate is written beside the readings up to this long after its read (the
// counters are read every 2 s, the signal up to four times as often).
constexpr std::int64_t kRateFreshMs = 5000;

// "Time,Strength,Quality,Locked,DataKbps,Event", then one CRLF-ended row per
// reading, oldest first, every figure as the card reported it: the data rate
// last measured (empty when none is fresh), an event the reading raised.
// An event raised apart from a reading has a row of its own with only the
// time and the event: "2026-12-01 14:03:22.123,,,,,No data".
std::string SignalHistoryCsv(const SignalHistory& history);
