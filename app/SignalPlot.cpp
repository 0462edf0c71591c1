#include "app/SignalPlot.h"

#include <algorithm>

namespace {

int TimeX(std::int64_t tickMs, std::int64_t nowMs, int left, int right)
{
    const std::int64_t age = std::clamp<std::int64_t>(nowMs - tickMs, 0, SignalHistory::kSpanMs);
    return right - static_cast<int>((right - left) * age / SignalHistory::kSpanMs);
}

int PercentY(int percent, const BarRect& area)
{
    return area.bottom - (area.bottom - area.top) * std::clamp(percent, 0, 100) / 100;
}

}   // namespace

std::vector<PlotPoint> PlotLine(const SignalHistory& history, std::int64_t nowMs, const BarRect& area,
                                int SignalSample::*value)
{
    std::vector<PlotPoint> points;
    points.reserve(history.Samples().size());
    for (const SignalSample& sample : history.Samples())
        points.push_back({TimeX(sample.stamp.tickMs, nowMs, area.left, area.right), PercentY(sample.*value, area)});
    return points;
}

std::vector<PlotPoint> RateLine(const SignalHistory& history, std::int64_t nowMs, const BarRect& area, double scaleTop)
{
    std::vector<PlotPoint> points;
    if (!(scaleTop > 0))
        return points;
    points.reserve(history.Rates().size());
    for (const RateSample& rate : history.Rates()) {
        const double share = std::clamp(rate.kbps / scaleTop, 0.0, 1.0);
        const int y = area.bottom - static_cast<int>((area.bottom - area.top) * share);
        points.push_back({TimeX(rate.tickMs, nowMs, area.left, area.right), y});
    }
    return points;
}

std::optional<PeakMark> PeakMarkAt(const std::optional<SignalPeak>& peak, std::int64_t nowMs, const BarRect& area)
{
    if (!peak)
        return std::nullopt;
    PeakMark mark{PercentY(peak->value, area), std::nullopt};
    if (nowMs - peak->tickMs <= SignalHistory::kSpanMs)
        mark.x = TimeX(peak->tickMs, nowMs, area.left, area.right);
    return mark;
}

std::vector<LockStretch> LockBand(const SignalHistory& history, std::int64_t nowMs, int left, int right)
{
    std::vector<LockStretch> band;
    const auto& samples = history.Samples();
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::int64_t end = i + 1 < samples.size() ? samples[i + 1].stamp.tickMs : nowMs;
        const LockStretch stretch{TimeX(samples[i].stamp.tickMs, nowMs, left, right), TimeX(end, nowMs, left, right),
                                  samples[i].Locked()};
        if (!band.empty() && band.back().locked == stretch.locked)
            band.back().right = stretch.right;
        else
            band.push_back(stretch);
    }
    return band;
}
