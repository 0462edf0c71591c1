// The signal window's numbers for aligning a dish: the peaks since the last
// reset and the lowest, mean and highest reading of the last minute, all as
// the card reports them.
#pragma once

#include "app/LockDisplay.h"
#include "app/SignalSample.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

struct SignalPeak {
    int value = 0;
    std::int64_t tickMs = 0;   // when it was first reached
};

// The highest strength and quality since the last reset. A tune to another
// target starts them again; a re-lock of the same target, and a dish that
// moves (nothing is known to be tuned then), do not.
class SignalPeaks {
public:
    // A reading; tuned is the target the card was last tuned for.
    void Observe(const SignalSample& sample, const std::optional<LockTarget>& tuned);
    void Reset();
    const std::optional<SignalPeak>& Strength() const { return strength; }
    const std::optional<SignalPeak>& Quality() const { return quality; }

private:
    std::optional<SignalPeak> strength;
    std::optional<SignalPeak> quality;
    std::optional<LockTarget> target;
};

struct SignalRange {
    int lowest = 0;
    double mean = 0;
    int highest = 0;
};

struct MinuteStatistics {
    SignalRange strength;
    SignalRange quality;
    std::size_t readings = 0;
};

constexpr std::int64_t kStatisticsSpanMs = 60 * 1000;

// "73%", or "-" before the first reading since the reset.
std::string PeakText(const std::optional<SignalPeak>& peak);

// "80 / 88.3 / 95": lowest, mean and highest.
std::string RangeText(const SignalRange& range);

// The readings of the minute up to now; none when there was none.
std::optional<MinuteStatistics> LastMinute(const std::deque<SignalSample>& samples, std::int64_t nowMs);
