// The signal readings of the last ten minutes, as the main dialog showed
// them, for the signal window's plot and its CSV file.
#pragma once

#include "app/LocalTime.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

struct SignalSample {
    std::int64_t tickMs = 0;   // monotonic time, for the plot's time axis
    LocalTime time;            // wall-clock time, for the CSV
    int strength = 0;          // percent, as the bar showed it
    int quality = 0;
    bool locked = false;
};

class SignalHistory {
public:
    static constexpr std::int64_t kSpanMs = 10 * 60 * 1000;
    // Bounds the memory even if readings came far faster than the poll.
    static constexpr std::size_t kMaxSamples = 6000;

    // Forgets the samples more than the span older than this one.
    void Add(const SignalSample& sample);
    const std::deque<SignalSample>& Samples() const { return samples; }

private:
    std::deque<SignalSample> samples;
};

// "Time,Strength,Quality,Locked" and one CRLF-ended row per sample, oldest
// first: "2026-12-01 14:03:22.123,71,64,1".
std::string SignalHistoryCsv(const SignalHistory& history);
