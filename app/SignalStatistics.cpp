#include "app/SignalStatistics.h"

#include "app/SignalRules.h"

#include <algorithm>
#include <cstdio>

namespace {

void Raise(std::optional<SignalPeak>& peak, int value, std::int64_t tickMs)
{
    if (!peak || value > peak->value)
        peak = SignalPeak{value, tickMs};
}

// The lowest and highest so far; the mean is worked out at the end.
void Take(SignalRange& range, int value, bool first)
{
    range.lowest = first ? value : std::min(range.lowest, value);
    range.highest = first ? value : std::max(range.highest, value);
}

}   // namespace

void SignalPeaks::Observe(const SignalSample& sample, const std::optional<LockTarget>& tuned)
{
    if (tuned) {
        if (target && *target != *tuned)
            Reset();
        target = tuned;
    }
    Raise(strength, sample.strength, sample.stamp.tickMs);
    Raise(quality, sample.quality, sample.stamp.tickMs);
}

void SignalPeaks::Reset()
{
    strength.reset();
    quality.reset();
}

std::optional<MinuteStatistics> LastMinute(const std::deque<SignalSample>& samples, std::int64_t nowMs)
{
    MinuteStatistics statistics;
    long long strengthSum = 0, qualitySum = 0;
    for (auto sample = samples.rbegin(); sample != samples.rend(); ++sample) {
        if (sample->stamp.tickMs < nowMs - kStatisticsSpanMs)
            break;
        if (sample->stamp.tickMs > nowMs)
            continue;
        const bool first = statistics.readings++ == 0;
        Take(statistics.strength, sample->strength, first);
        Take(statistics.quality, sample->quality, first);
        strengthSum += sample->strength;
        qualitySum += sample->quality;
    }
    if (statistics.readings == 0)
        return std::nullopt;
    const auto count = static_cast<double>(statistics.readings);
    statistics.strength.mean = static_cast<double>(strengthSum) / count;
    statistics.quality.mean = static_cast<double>(qualitySum) / count;
    return statistics;
}

std::string RangeText(const SignalRange& range)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d / %.1f / %d", range.lowest, range.mean, range.highest);
    return text;
}

std::string PeakText(const std::optional<SignalPeak>& peak) { return peak ? PercentText(peak->value) : "-"; }
