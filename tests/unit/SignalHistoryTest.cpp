#include "app/SignalHistory.h"
#include "app/SignalPlot.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;

SignalStamp At(std::int64_t tickMs)
{
    return SignalStamp{tickMs, LocalTime{2026, 12, 1, 9, 5, static_cast<int>(tickMs / kSecond % 60),
                                         static_cast<int>(tickMs % kSecond)}};
}

void Read(SignalHistory& history, std::int64_t tickMs, int strength, int quality, int lockValue, bool judged)
{
    history.AddReading(At(tickMs), SignalReading{strength, quality, lockValue}, judged, std::nullopt);
}

StatsCounters Received(std::int64_t bytes)
{
    StatsCounters counters{};
    counters.bytesReceived = bytes;
    return counters;
}

// The card's own figures reach the file, not the bars' (which add 20 while
// locked): the lost and regained lock on the readings that showed them (the
// first lock and the readings that stay as they were are no event), the data
// rate while a fresh one is known, and an event raised elsewhere on a row of
// its own.
TEST(SignalHistory, CsvHoldsTheCardsFiguresTheRateAndTheEventsInTimeOrder)
{
    SignalHistory history;
    Read(history, 0, 71, 64, 1, true);
    history.AddCounters(At(0), Received(1000));
    history.AddCounters(At(2 * kSecond), Received(251000));   // 250000 bytes in 2 s: 1000 kbit/s
    Read(history, 2 * kSecond, 105, -5, 0, false);
    history.AddEvent(At(2 * kSecond), SignalEvent::NoData);
    Read(history, 4 * kSecond, 6, 1, 0, false);
    Read(history, 8 * kSecond, 90, 85, 3, true);
    Read(history, 8500, 91, 86, 1, true);
    history.AddEvent(At(9 * kSecond), SignalEvent::Sleep);

    EXPECT_EQ(SignalHistoryCsv(history), "Time,Strength,Quality,Locked,DataKbps,Event\r\n"
                                         "2026-12-01 09:05:00.000,71,64,1,,\r\n"
                                         "2026-12-01 09:05:02.000,105,-5,0,1000.00,Lock lost\r\n"
                                         "2026-12-01 09:05:02.000,,,,,No data\r\n"
                                         "2026-12-01 09:05:04.000,6,1,0,1000.00,\r\n"
                                         "2026-12-01 09:05:08.000,90,85,3,,Re-locked\r\n"
                                         "2026-12-01 09:05:08.500,91,86,1,,\r\n"
                                         "2026-12-01 09:05:09.000,,,,,Sleep\r\n");
}

TEST(SignalHistory, KeepsTenMinutesOfReadingsAndRatesAndBoundedEvents)
{
    SignalHistory history;
    Read(history, 0, 8, 0, 0, false);
    history.AddCounters(At(0), Received(0));
    history.AddCounters(At(kSecond), Received(1000));
    Read(history, kMinute, 90, 85, 1, true);
    Read(history, 11 * kMinute, 100, 84, 1, true);
    history.AddCounters(At(11 * kMinute), Received(2000));
    EXPECT_EQ(history.Samples().size(), 2u) << "the reading of eleven minutes ago is forgotten";
    EXPECT_EQ(history.Rates().size(), 1u);

    for (std::size_t i = 0; i < SignalHistory::kMaxSamples + 10; ++i)
        Read(history, 11 * kMinute, 1, 1, static_cast<int>(i % 2), i % 2 == 1);
    EXPECT_EQ(history.Samples().size(), SignalHistory::kMaxSamples);
    EXPECT_EQ(history.Events().size(), SignalHistory::kMaxEvents) << "events outlive the span, but not without end";
}

TEST(SignalEvents, ListedWithTheirTimeAndADateLineWhenTheDayChanges)
{
    const SignalEventRecord evening{{0, LocalTime{2026, 12, 7, 23, 59, 58, 999}}, SignalEvent::NoData};
    const SignalEventRecord morning{{0, LocalTime{2026, 12, 8, 0, 0, 3, 5}}, SignalEvent::DataAgain};
    EXPECT_EQ(EventListLines(evening, nullptr, "Keine Daten"),
              (std::vector<std::string>{"2026-12-07", "23:59:58  Keine Daten"}));
    EXPECT_EQ(EventListLines(evening, &evening, "No data"), std::vector<std::string>{"23:59:58  No data"});
    EXPECT_EQ(EventListLines(morning, &evening, "Data again"),
              (std::vector<std::string>{"2026-12-08", "00:00:03  Data again"}));
}

TEST(DataRate, FromTheGrowthOfTheByteCountBetweenTwoGoodReads)
{
    DataRateMeter meter;
    EXPECT_FALSE(meter.Add(0, 5000)) << "the first read";
    EXPECT_DOUBLE_EQ(meter.Add(2000, 255000).value_or(-1), 1000.0);
    EXPECT_DOUBLE_EQ(meter.Add(4000, 255000).value_or(-1), 0.0) << "a stall is a rate of 0";
    EXPECT_FALSE(meter.Add(6000, std::nullopt)) << "a failed read";
    EXPECT_FALSE(meter.Add(8000, 300000)) << "no rate across a failed read";
    EXPECT_DOUBLE_EQ(meter.Add(9000, 300125).value_or(-1), 1.0);
    EXPECT_FALSE(meter.Add(11000, 100)) << "the count fell: the filter started again";
    EXPECT_FALSE(meter.Add(11000, 900)) << "no time passed";
    EXPECT_FALSE(meter.Add(12000, INT64_MIN));
    EXPECT_GT(meter.Add(13000, INT64_MAX).value_or(-1), 0) << "the ends of the range do not overflow";

    const std::pair<double, double> scales[] = {{-3, 1}, {0, 1},       {1, 1},       {1.1, 1.25}, {7, 8},
                                                {9, 10}, {2000, 2000}, {2030, 2500}, {1e30, 1e18}};
    for (const auto& [highest, top] : scales)
        EXPECT_EQ(RateScaleTop(highest), top) << highest;
}

TEST(SignalPlot, TimeRunsToNowAtTheRightValuesUpwardsAndPeaksAreMarked)
{
    SignalHistory history;
    history.AddReading(At(0), {0, 100, 1}, true, std::nullopt);
    history.AddReading(At(5 * kMinute), {50, 50, 0}, false, std::nullopt);
    history.AddReading(At(6 * kMinute), {100, -20, 0}, false, std::nullopt);
    history.AddReading(At(7 * kMinute), {130, 0, 1}, true, std::nullopt);
    history.AddCounters(At(5 * kMinute), Received(0));
    history.AddCounters(At(5 * kMinute + 8), Received(500));   // 500 kbit/s
    const std::int64_t now = 10 * kMinute;
    const BarRect area{10, 20, 610, 220};

    std::vector<std::pair<int, int>> strength;
    for (const PlotPoint& point : PlotLine(history, now, area, &SignalSample::strength))
        strength.emplace_back(point.x, point.y);
    EXPECT_EQ(strength, (std::vector<std::pair<int, int>>{{10, 220}, {310, 120}, {370, 20}, {430, 20}}))
        << "a reading above 100 stays inside the plot";
    EXPECT_EQ(PlotLine(history, now, area, &SignalSample::quality)[2].y, 220);
    const std::vector<PlotPoint> rate = RateLine(history, now, area, 1000);
    ASSERT_EQ(rate.size(), 1u);
    EXPECT_EQ(rate[0].y, 120) << "half of its own scale";

    const std::optional<PeakMark> peak = PeakMarkAt(history.Peaks().Strength(), now, area);
    ASSERT_TRUE(peak);
    EXPECT_EQ(std::pair(peak->x.value_or(-1), peak->y), std::pair(430, 20)) << "where the peak was reached";
    EXPECT_FALSE(PeakMarkAt(history.Peaks().Strength(), now + 8 * kMinute, area)->x) << "out of view, level kept";

    // Two unlocked readings make one stretch; the last reading holds until now.
    std::vector<std::tuple<int, int, bool>> band;
    for (const LockStretch& stretch : LockBand(history, now, 10, 610))
        band.emplace_back(stretch.left, stretch.right, stretch.locked);
    EXPECT_EQ(band, (std::vector<std::tuple<int, int, bool>>{{10, 310, true}, {310, 430, false}, {430, 610, true}}));
}

}   // namespace
