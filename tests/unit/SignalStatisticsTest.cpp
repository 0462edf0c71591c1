#include "app/SignalStatistics.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

SignalSample Sample(std::int64_t tickMs, int strength, int quality)
{
    SignalSample sample;
    sample.stamp.tickMs = tickMs;
    sample.strength = strength;
    sample.quality = quality;
    return sample;
}

LockTarget Target(std::int32_t frequency)
{
    LockTarget target;
    target.hasTransponder = true;
    target.frequency = frequency;
    return target;
}

// Peaks follow the highest reading of each value on its own; the button and
// a tune to another target start them again, a re-lock of the same target
// and a moving dish (nothing tuned) do not.
TEST(SignalPeaks, HeldUntilResetOrATuneToAnotherTarget)
{
    SignalPeaks peaks;
    EXPECT_FALSE(peaks.Strength());
    peaks.Observe(Sample(1, 40, 70), Target(474000));
    peaks.Observe(Sample(2, 60, 50), Target(474000));
    peaks.Observe(Sample(3, 60, 20), std::nullopt);
    peaks.Observe(Sample(4, 10, 10), Target(474000));
    const auto both = [&] {
        return std::tuple(peaks.Strength()->value, peaks.Strength()->tickMs, peaks.Quality()->value,
                          peaks.Quality()->tickMs);
    };
    EXPECT_EQ(both(), std::tuple(60, 2, 70, 1)) << "each first reached";

    peaks.Observe(Sample(5, 30, 35), Target(482000));
    EXPECT_EQ(both(), std::tuple(30, 5, 35, 5)) << "another target";
    peaks.Reset();
    EXPECT_FALSE(peaks.Quality());
    peaks.Observe(Sample(6, -3, 12), Target(482000));
    EXPECT_EQ(peaks.Strength()->value, -3) << "as the card reports it";
}

TEST(SignalStatistics, LowestMeanAndHighestOfTheLastMinute)
{
    const std::deque<SignalSample> samples = {Sample(0, 99, 99), Sample(1000, 10, 80), Sample(31000, 20, 70),
                                              Sample(61000, 33, 60), Sample(62000, 5, 5)};
    const std::optional<MinuteStatistics> minute = LastMinute(samples, 61000);
    ASSERT_TRUE(minute);
    EXPECT_EQ(minute->readings, 3u) << "from 1000 to 61000; the reading after now is not taken";
    EXPECT_EQ(RangeText(minute->strength), "10 / 21.0 / 33");
    EXPECT_EQ(RangeText(minute->quality), "60 / 70.0 / 80");
    EXPECT_FALSE(LastMinute(samples, 200000)) << "nothing in the last minute";
    EXPECT_FALSE(LastMinute({}, 0));
}

}   // namespace
