#include "app/PowerCycle.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Restore = PowerCycle::Restore;
const PowerCycle::Clock::time_point kStart{};

TEST(PowerCycle, ResumeRestoresOnceAndTheReLockWaitsForIt)
{
    PowerCycle power;
    EXPECT_FALSE(power.RestorePending());
    EXPECT_FALSE(power.Resumed(kStart)) << "no suspend before";
    power.Suspending(kStart);
    EXPECT_TRUE(power.IsSuspended());
    EXPECT_EQ(power.RestoreStep(kStart), Restore::NotNow) << "asleep";
    EXPECT_TRUE(power.Resumed(kStart + 10s));
    EXPECT_FALSE(power.Resumed(kStart + 10s)) << "the second broadcast of the same resume";
    EXPECT_TRUE(power.RestorePending());
    EXPECT_EQ(power.RestoreStep(kStart + 12s), Restore::Now);
    power.Restored();
    EXPECT_FALSE(power.RestorePending());
    EXPECT_EQ(power.RestoreStep(kStart + 14s), Restore::NotNow);
}

TEST(PowerCycle, ACardThatGoesWithTheSleepIsWaitedForThirtySeconds)
{
    PowerCycle power;
    EXPECT_TRUE(power.RemovalEndsProgram(kStart)) << "without a sleep the removal ends the program";

    power.Suspending(kStart);
    EXPECT_FALSE(power.RemovalEndsProgram(kStart + 1s));
    power.Resumed(kStart + 60s);
    EXPECT_EQ(power.RestoreStep(kStart + 62s), Restore::WaitCard);
    power.CardArrived();
    EXPECT_EQ(power.RestoreStep(kStart + 64s), Restore::Now);
    power.Restored();

    EXPECT_FALSE(power.RemovalEndsProgram(kStart + 89s)) << "within 30 s of the resume";
    EXPECT_TRUE(power.RemovalEndsProgram(kStart + 91s)) << "afterwards the removal counts again";

    power.Suspending(kStart + 200s);
    power.RemovalEndsProgram(kStart + 201s);
    power.Resumed(kStart + 300s);
    EXPECT_EQ(power.RestoreStep(kStart + 329s), Restore::WaitCard);
    EXPECT_EQ(power.RestoreStep(kStart + 331s), Restore::CardLost) << "not back in time: removed";
}

}   // namespace
