#include "app/SignalHistory.h"

#include <cstdio>

namespace {

template <typename Entry, typename Tick>
void ForgetOlderThanSpan(std::deque<Entry>& entries, std::int64_t nowMs, std::size_t limit, Tick tickOf)
{
    while (!entries.empty() && (entries.size() > limit || tickOf(entries.front()) < nowMs - SignalHistory::kSpanMs))
        entries.pop_front();
}

}   // namespace

void SignalHistory::AddReading(const SignalStamp& stamp, const SignalReading& reading, bool judgedLocked,
                               const std::optional<LockTarget>& tuned)
{
    const SignalSample sample{stamp, reading.strength, reading.quality, reading.lockValue};
    samples.push_back(sample);
    ForgetOlderThanSpan(samples, stamp.tickMs, kMaxSamples, [](const SignalSample& s) { return s.stamp.tickMs; });
    peaks.Observe(sample, tuned);
    if (const std::optional<SignalEvent> event = lockEvents.Observe(judgedLocked))
        KeepEvent({stamp, *event, true});
}

void SignalHistory::AddCounters(const SignalStamp& stamp, const std::optional<StatsCounters>& counters)
{
    std::optional<std::int64_t> bytes;
    if (counters)
        bytes = counters->bytesReceived;
    const std::optional<double> kbps = rateMeter.Add(stamp.tickMs, bytes);
    if (!kbps)
        return;
    rates.push_back({stamp.tickMs, *kbps});
    ForgetOlderThanSpan(rates, stamp.tickMs, kMaxSamples, [](const RateSample& r) { return r.tickMs; });
}

void SignalHistory::KeepEvent(const SignalEventRecord& record)
{
    events.push_back(record);
    if (events.size() > kMaxEvents)
        events.pop_front();
}

namespace {

std::string EventRow(const SignalEventRecord& record)
{
    return FormatLocalTime(record.stamp.time) + ",,,,," + SignalEventName(record.event).english + "\r\n";
}

// The rate last measured at or before the tick, if it is fresh; `next` moves
// through the rates, oldest first, as the ticks grow.
std::string RateText(const std::deque<RateSample>& rates, std::size_t& next, std::int64_t tickMs)
{
    while (next < rates.size() && rates[next].tickMs <= tickMs)
        ++next;
    if (next == 0 || tickMs - rates[next - 1].tickMs > kRateFreshMs)
        return {};
    return KbpsText(rates[next - 1].kbps);
}

}   // namespace

std::string SignalHistoryCsv(const SignalHistory& history)
{
    std::string csv = "Time,Strength,Quality,Locked,DataKbps,Event\r\n";
    const auto& events = history.Events();
    std::size_t event = 0, rate = 0;
    for (const SignalSample& sample : history.Samples()) {
        const std::int64_t tick = sample.stamp.tickMs;
        while (event < events.size() && (events[event].stamp.tickMs < tick ||
                                         (events[event].stamp.tickMs == tick && !events[event].fromReading)))
            csv += EventRow(events[event++]);
        const char* raised = "";
        if (event < events.size() && events[event].stamp.tickMs == tick && events[event].fromReading)
            raised = SignalEventName(events[event++].event).english;
        char row[160];
        std::snprintf(row, sizeof row, "%s,%d,%d,%d,%s,%s\r\n", FormatLocalTime(sample.stamp.time).c_str(),
                      sample.strength, sample.quality, sample.lockValue, RateText(history.Rates(), rate, tick).c_str(),
                      raised);
        csv += row;
    }
    for (; event < events.size(); ++event)
        csv += EventRow(events[event]);
    return csv;
}

std::vector<std::string> EventListLines(const SignalEventRecord& record, const SignalEventRecord* previous,
                                        const std::string& name)
{
    // "2026-12-07 17:01:02.123": the date, then the time to the second.
    const std::string stamp = FormatLocalTime(record.stamp.time);
    std::vector<std::string> lines;
    if (previous == nullptr || FormatLocalTime(previous->stamp.time).substr(0, 10) != stamp.substr(0, 10))
        lines.push_back(stamp.substr(0, 10));
    lines.push_back(stamp.substr(11, 8) + "  " + name);
    return lines;
}
