// Where the signal window draws the history: time runs from ten minutes ago
// at the left edge to now at the right, percent from 0 at the bottom to 100
// at the top.
#pragma once

#include "app/SignalHistory.h"
#include "app/SignalRules.h"

#include <vector>

struct PlotPoint {
    int x = 0;
    int y = 0;
};

// One point per sample for the member (strength or quality).
std::vector<PlotPoint> PlotLine(const SignalHistory& history, std::int64_t nowMs, const BarRect& area,
                                int SignalSample::*value);

// A stretch of the lock band: from one sample to the next (the last one up
// to now), with that sample's lock state.
struct LockStretch {
    int left = 0;
    int right = 0;
    bool locked = false;
};
std::vector<LockStretch> LockBand(const SignalHistory& history, std::int64_t nowMs, int left, int right);
