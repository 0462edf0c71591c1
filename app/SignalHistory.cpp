#include "app/SignalHistory.h"

#include <cstdio>

void SignalHistory::Add(const SignalSample& sample)
{
    samples.push_back(sample);
    while (samples.size() > kMaxSamples || samples.front().tickMs < sample.tickMs - kSpanMs)
        samples.pop_front();
}

std::string SignalHistoryCsv(const SignalHistory& history)
{
    std::string csv = "Time,Strength,Quality,Locked\r\n";
    for (const SignalSample& sample : history.Samples()) {
        char row[96];
        std::snprintf(row, sizeof row, "%s,%d,%d,%d\r\n", FormatLocalTime(sample.time).c_str(), sample.strength,
                      sample.quality, sample.locked ? 1 : 0);
        csv += row;
    }
    return csv;
}
