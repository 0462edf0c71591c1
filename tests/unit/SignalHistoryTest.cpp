#include "app/SignalHistory.h"
#include "app/SignalPlot.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kMinute = 60 * 1000;

SignalSample Sample(std::int64_t tickMs, int strength, int quality, bool locked)
{
    return SignalSample{tickMs, LocalTime{2026, 12, 1, 9, 5, 7, 30}, strength, quality, locked};
}

TEST(SignalHistory, KeepsTenMinutesAndWritesThemAsCsvRows)
{
    SignalHistory history;
    history.Add(Sample(0, 8, 0, false));
    history.Add(Sample(kMinute, 90, 85, true));
    history.Add(Sample(11 * kMinute, 100, 84, true));
    ASSERT_EQ(history.Samples().size(), 2u) << "the reading of eleven minutes ago is forgotten";
    EXPECT_EQ(SignalHistoryCsv(history), "Time,Strength,Quality,Locked\r\n"
                                         "2026-12-01 09:05:07.030,90,85,1\r\n"
                                         "2026-12-01 09:05:07.030,100,84,1\r\n");

    for (std::size_t i = 0; i < SignalHistory::kMaxSamples + 10; ++i)
        history.Add(Sample(11 * kMinute, 1, 1, false));
    EXPECT_EQ(history.Samples().size(), SignalHistory::kMaxSamples);
}

TEST(SignalPlot, TimeRunsToNowAtTheRightAndPercentUpwards)
{
    SignalHistory history;
    history.Add(Sample(0, 0, 100, true));
    history.Add(Sample(5 * kMinute, 50, 50, false));
    history.Add(Sample(6 * kMinute, 100, 0, false));
    history.Add(Sample(7 * kMinute, 100, 0, true));
    const std::int64_t now = 10 * kMinute;
    const BarRect area{10, 20, 610, 220};

    const std::vector<PlotPoint> strength = PlotLine(history, now, area, &SignalSample::strength);
    ASSERT_EQ(strength.size(), 4u);
    EXPECT_EQ(strength[0].x, 10);
    EXPECT_EQ(strength[0].y, 220);
    EXPECT_EQ(strength[1].x, 310);
    EXPECT_EQ(strength[1].y, 120);
    EXPECT_EQ(strength[3].x, 430);
    EXPECT_EQ(strength[3].y, 20);
    EXPECT_EQ(PlotLine(history, now, area, &SignalSample::quality)[0].y, 20);

    const std::vector<LockStretch> band = LockBand(history, now, 10, 610);
    ASSERT_EQ(band.size(), 3u);
    EXPECT_TRUE(band[0].locked);
    EXPECT_EQ(band[0].left, 10);
    EXPECT_EQ(band[0].right, 310);
    EXPECT_FALSE(band[1].locked) << "two unlocked readings make one stretch";
    EXPECT_EQ(band[1].right, 430);
    EXPECT_TRUE(band[2].locked);
    EXPECT_EQ(band[2].right, 610) << "the last reading holds until now";
}

} // namespace
