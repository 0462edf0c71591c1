// Where the signal window draws the history: time runs from ten minutes ago
// at the left edge to now at the right; percent from 0 at the bottom to 100
// at the top, the data rate from 0 to the top of its own scale.
#pragma once

#include "app/SignalHistory.h"
#include "app/SignalRules.h"

#include <optional>
#include <vector>

struct PlotPoint {
    int x = 0;
    int y = 0;
};

// One point per reading for the member (strength or quality), clamped to 0..100.
std::vector<PlotPoint> PlotLine(const SignalHistory& history, std::int64_t nowMs, const BarRect& area,
                                int SignalSample::*value);
// One point per rate, on the scale from 0 to scaleTop kbit/s.
std::vector<PlotPoint> RateLine(const SignalHistory& history, std::int64_t nowMs, const BarRect& area, double scaleTop);

// The peak's mark: its level across the plot, and where it was reached
// while that is still in view.
struct PeakMark {
    int y = 0;
    std::optional<int> x;
};
std::optional<PeakMark> PeakMarkAt(const std::optional<SignalPeak>& peak, std::int64_t nowMs, const BarRect& area);

// A stretch of the lock band: from one reading to the next (the last one up
// to now), with the lock the card reported at the first.
struct LockStretch {
    int left = 0;
    int right = 0;
    bool locked = false;
};
std::vector<LockStretch> LockBand(const SignalHistory& history, std::int64_t nowMs, int left, int right);
