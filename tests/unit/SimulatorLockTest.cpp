#include "SimulatorTestSupport.h"

#include "simulator/CarrierSearch.h"
#include "simulator/LnbTuning.h"

#include <gtest/gtest.h>

using namespace quarlink;

TEST(SimulatorLnb, UniversalPicksBandByFrequencyAndMakesTheTone)
{
    const LnbTuning low = ChooseOscillator(1, 11494, 0, 0);
    EXPECT_EQ(low.oscillatorMHz, 9750u);
    EXPECT_EQ(low.intermediateMHz, 1744);
    EXPECT_FALSE(low.tone);

    const LnbTuning lastLow = ChooseOscillator(1, 11699, 9750, 10600);
    EXPECT_EQ(lastLow.oscillatorMHz, 9750u);
    EXPECT_EQ(lastLow.intermediateMHz, 1949);

    const LnbTuning high = ChooseOscillator(1, 11700, 9750, 10600);
    EXPECT_EQ(high.oscillatorMHz, 10600u);
    EXPECT_EQ(high.intermediateMHz, 1100);
    EXPECT_TRUE(high.tone);

    EXPECT_TRUE(ChooseOscillator(1, 10700, 9750, 10600).InTunerRange());   // IF 950
    EXPECT_FALSE(ChooseOscillator(1, 10699, 9750, 10600).InTunerRange());  // IF 949
    EXPECT_TRUE(ChooseOscillator(1, 12750, 9750, 10600).InTunerRange());   // IF 2150
    EXPECT_FALSE(ChooseOscillator(1, 12751, 9750, 10600).InTunerRange());  // IF 2151
}

TEST(SimulatorLnb, NormalAndCustomTakeTheFirstOscillatorThatFits)
{
    const LnbTuning cBand = ChooseOscillator(0, 3840, 0, 0);
    EXPECT_EQ(cBand.oscillatorMHz, 5150u);
    EXPECT_EQ(cBand.intermediateMHz, 1310);
    EXPECT_FALSE(cBand.tone);

    const LnbTuning extended = ChooseOscillator(0, 4500, 0, 0);
    EXPECT_EQ(extended.oscillatorMHz, 5750u);
    EXPECT_EQ(extended.intermediateMHz, 1250);
    EXPECT_TRUE(extended.tone);

    EXPECT_FALSE(ChooseOscillator(0, 11494, 9750, 10600).InTunerRange());

    EXPECT_EQ(ChooseOscillator(2, 11494, 10000, 0).intermediateMHz, 1494);
    EXPECT_FALSE(ChooseOscillator(2, 11494, 10750, 0).InTunerRange());
    const LnbTuning customHigh = ChooseOscillator(2, 12000, 9750, 10600);
    EXPECT_EQ(customHigh.oscillatorMHz, 10600u);
    EXPECT_TRUE(customHigh.tone);
    EXPECT_FALSE(ChooseOscillator(2, 11494, 0, 0).InTunerRange());
    EXPECT_TRUE(ChooseOscillator(2, 11494, 0, 0).knownType);
    EXPECT_FALSE(ChooseOscillator(3, 11494, 9750, 10600).knownType);
    EXPECT_FALSE(ChooseOscillator(-1, 11494, 9750, 10600).knownType);
}

TEST(SimulatorSatelliteLock, LocksOnlyWhatTheSelectedInputReceives)
{
    SimulatedCard sim(kSatelliteLineUp);
    EXPECT_EQ(sim.LockSatellite(11494, 22000, 1, 1), 0);
    EXPECT_TRUE(sim.Locked());
    EXPECT_EQ(sim.card.LastLockDetail(), "19.2E 11494 H 22000, LO 9750, IF 1744");

    EXPECT_NE(sim.LockSatellite(11494, 22000, 1, 2), 0) << "LNB B sees 13.0E";
    EXPECT_FALSE(sim.Locked());
    EXPECT_EQ(sim.LockSatellite(11034, 27500, 0, 2), 0);
    EXPECT_NE(sim.LockSatellite(11034, 27500, 1, 2), 0) << "wrong polarity";
    EXPECT_NE(sim.LockSatellite(11034, 27500, 0, 1), 0) << "13.0E is not on LNB A";
    EXPECT_EQ(sim.LockSatellite(12603, 22000, 1, 1), 0) << "high band";
    EXPECT_TRUE(sim.card.Tone());
}

TEST(SimulatorSatelliteLock, FrequencyAndSymbolRateTolerances)
{
    SimulatedCard sim(kSatelliteLineUp);
    EXPECT_EQ(sim.LockSatellite(11497, 22000, 1), 0);
    EXPECT_EQ(sim.LockSatellite(11491, 22000, 1), 0);
    EXPECT_NE(sim.LockSatellite(11498, 22000, 1), 0);
    EXPECT_NE(sim.LockSatellite(11490, 22000, 1), 0);
    EXPECT_EQ(sim.LockSatellite(11494, 22110, 1), 0);
    EXPECT_NE(sim.LockSatellite(11494, 22111, 1), 0);
    EXPECT_NE(sim.LockSatellite(11494, 27500, 1), 0);
    EXPECT_NE(sim.LockSatellite(11494, 0, 1), 0);
    EXPECT_NE(sim.LockSatellite(-11494, 22000, 1), 0);
}

TEST(SimulatorSatelliteLock, PowerAndLnbMustBeRight)
{
    SimulatedCard sim(kSatelliteLineUp);
    EXPECT_NE(sim.LockSatellite(11494, 22000, 1, 1, 1, 9750, 10600, 0), 0);
    EXPECT_EQ(sim.card.LastLockDetail(), "LNB power is off (SetDiseCom1)");

    sim.card.SetDiseCom1(0, 0, 0, 1);
    EXPECT_NE(sim.card.LockChannel3(11494, 22000, 1, 1, 0, 9750, 10600), 0) << "power argument 0";

    EXPECT_NE(sim.LockSatellite(11494, 22000, 1, 1, 0, 5150, 5750), 0) << "C-band LNB on Ku-band";
    EXPECT_EQ(sim.LockSatellite(11494, 22000, 1, 1, 2, 10000, 0), 0) << "custom LO, IF 1494";
    EXPECT_NE(sim.LockSatellite(11494, 22000, 1, 1, 2, 10750, 0), 0) << "custom LO, IF 744";
    EXPECT_NE(sim.LockSatellite(11494, 22000, 1, 1, 7), 0) << "unknown LNB type";
    EXPECT_EQ(sim.LockSatellite(3840, 27500, 0, 4, 0, 5150, 5750), 0) << "C-band, circular right on 13 V";

    EXPECT_EQ(sim.LockSatellite(11494, 22000, 1), 0);
    sim.card.SetDiseCom1(0, 0, 0, 0);
    EXPECT_FALSE(sim.Locked()) << "switching the LNB off loses the signal";
}

TEST(SimulatorSatelliteLock, SwitchFollowsCommittedCommandsOnlyWhenPowered)
{
    SimulatedCard sim(kSatelliteLineUp);
    sim.card.SetDiseCom1(0, 0, 0, 1);
    sim.SelectPort(2, 0);
    EXPECT_EQ(sim.card.SatelliteInView(), 130);

    sim.card.SetDiseCom2(0xE0, 0x10, 0x38, 0xF0);
    EXPECT_EQ(sim.card.SatelliteInView(), 192) << "port Disable sends F0: input 1";
    sim.card.SetDiseCom2(0xE0, 0x10, 0x38, 0x04);
    EXPECT_EQ(sim.card.SatelliteInView(), 192) << "no bit marked for change";
    sim.card.SetDiseCom2(0xE0, 0x10, 0x39, 0xF4);
    EXPECT_EQ(sim.card.SatelliteInView(), 192) << "uncommitted switches are another group";
    sim.card.SetDiseCom2(0xE0, 0x31, 0x38, 0xF4);
    EXPECT_EQ(sim.card.SatelliteInView(), 192) << "addressed to a positioner";

    sim.card.SetDiseCom1(0, 0, 0, 0);
    sim.SelectPort(4, 0);
    sim.card.SetDiseCom1(0, 0, 0, 1);
    EXPECT_EQ(sim.card.SatelliteInView(), 192) << "an unpowered switch hears nothing";

    sim.SelectPort(4, 1);
    EXPECT_EQ(sim.card.SatelliteInView(), 3300);
}

TEST(SimulatorSatelliteLock, DirectDishIgnoresTheSwitchCommand)
{
    SimulatedCard sim("[Card]\nKind=2\n[Switch]\nDirect=28.2E\n"
                      "[Transponder]\nSatellite=282\nFrequency=10773\nPolarity=H\nSymbolRate=22000\n");
    EXPECT_EQ(sim.LockSatellite(10773, 22000, 1, 3), 0);
    EXPECT_EQ(sim.LockSatellite(10773, 22000, 1, 1), 0);
}

TEST(SimulatorSatelliteLock, LockSettlesAfterTheLockTime)
{
    SimulatedCard sim(kSatelliteLineUp);
    sim.card.SetDiseCom1(0, 0, 0, 1);
    sim.SelectPort(1, 1);
    ASSERT_EQ(sim.card.LockChannel3(11494, 22000, 1, 1, 1, 9750, 10600), 0);
    sim.clock.Advance(299);
    EXPECT_FALSE(sim.Locked());
    sim.clock.Advance(1);
    EXPECT_TRUE(sim.Locked());
}

TEST(SimulatorSatelliteLock, ClosedCardRefusesEverything)
{
    SimulatedCard sim(kSatelliteLineUp);
    sim.card.ReleaseDise();
    EXPECT_EQ(sim.card.LockChannel3(11494, 22000, 1, 1, 1, 9750, 10600), kCardNotOpen);
    EXPECT_EQ(sim.card.SetDiseCom1(0, 0, 0, 1), kCardNotOpen);
    EXPECT_EQ(sim.card.StartFilter(), kCardNotOpen);
    EXPECT_EQ(sim.card.GetCIInfo(), 0);
    EXPECT_EQ(sim.card.InitDise(), 0);
    EXPECT_EQ(sim.LockSatellite(11494, 22000, 1), 0);
}

TEST(SimulatorSignal, ReadingsAreHighWhenLockedAndReproducible)
{
    SimulatedCard sim(kSatelliteLineUp);
    SimulatedCard twin(kSatelliteLineUp);
    int s = 0, q = 0, r1 = 7, r2 = 7, locked = 7;
    ASSERT_EQ(sim.card.GetSignalStrAndQu(&s, &q, &r1, &r2, &locked), 0);
    EXPECT_EQ(locked, 0);
    EXPECT_LE(s, 11);
    EXPECT_EQ(r1, 0);
    EXPECT_EQ(r2, 0);
    EXPECT_GE(q, 0) << "noise does not take a level below 0";
    EXPECT_EQ(sim.card.GetSignalStrAndQu(nullptr, &q, &r1, &r2, &locked), kCardFailed);

    ASSERT_EQ(sim.LockSatellite(11494, 22000, 1), 0);
    ASSERT_EQ(twin.LockSatellite(11494, 22000, 1), 0);
    twin.card.GetSignalStrAndQu(&s, &q, &r1, &r2, &locked);  // keeps the twins' noise in step
    for (int poll = 0; poll < 20; ++poll) {
        int s2 = 0, q2 = 0, locked2 = 0;
        sim.card.GetSignalStrAndQu(&s, &q, &r1, &r2, &locked);
        twin.card.GetSignalStrAndQu(&s2, &q2, &r1, &r2, &locked2);
        EXPECT_EQ(locked, 1);
        EXPECT_GE(s, 67);
        EXPECT_LE(s, 73);
        EXPECT_GE(q, 62);
        EXPECT_LE(q, 68);
        EXPECT_EQ(s, s2);
        EXPECT_EQ(q, q2);
    }
}

TEST(SimulatorSignal, LevelsConfiguredOutOfRangeAreReportedAsTheyAre)
{
    SimulatedCard sim(std::string(kSatelliteLineUp) + "[Signal]\nUnlockedStrength=-20\nUnlockedQuality=150\nNoise=0\n");
    int s = 0, q = 0, r1 = 0, r2 = 0, locked = 0;
    ASSERT_EQ(sim.card.GetSignalStrAndQu(&s, &q, &r1, &r2, &locked), 0);
    EXPECT_EQ(s, -20);
    EXPECT_EQ(q, 150);
}

TEST(SimulatorSignal, LockIsLostAfterTheConfiguredPollsAndComesBackOnRelock)
{
    SimulatedCard sim(std::string(kSatelliteLineUp) + "[Signal]\nLoseLockAfterPolls=3\nLoseLockTimes=1\n");
    ASSERT_EQ(sim.LockSatellite(11494, 22000, 1), 0);
    EXPECT_TRUE(sim.Locked());
    EXPECT_TRUE(sim.Locked());
    EXPECT_TRUE(sim.Locked());
    EXPECT_FALSE(sim.Locked());
    EXPECT_FALSE(sim.Locked()) << "lost until the next lock";

    ASSERT_EQ(sim.LockSatellite(11494, 22000, 1), 0);
    for (int poll = 0; poll < 10; ++poll)
        EXPECT_TRUE(sim.Locked()) << "only one loss was asked for";
}

TEST(SimulatorCableLock, FrequencySymbolRateAndQamMustMatch)
{
    SimulatedCard sim("[Card]\nKind=5\n[Channel]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n");
    auto lock = [&](int frequency, int symbolRate, int qam) { return sim.card.LockChannel3(frequency, symbolRate, qam, 0, 0, 0, 0); };
    EXPECT_EQ(lock(474000, 6900, 64), 0);
    EXPECT_EQ(lock(474200, 6900, 64), 0);
    EXPECT_NE(lock(474201, 6900, 64), 0);
    EXPECT_NE(lock(474000, 6900, 256), 0);
    EXPECT_NE(lock(474000, 6900, 0), 0) << "automatic QAM is searched by the program";
    EXPECT_EQ(lock(474000, 0, 64), 0) << "symbol rate 0: the card finds it";
    EXPECT_NE(lock(474000, 6800, 64), 0);
    EXPECT_EQ(lock(474000, 6875, 64), 0) << "within 0.5 %";
    EXPECT_NE(lock(474000, -6900, 64), 0);
}

TEST(SimulatorTerrestrialLock, FrequencyAndBandwidthMustMatch)
{
    SimulatedCard sim("[Card]\nKind=7\n[Channel]\nFrequency=506000\nBandwidth=8\n");
    auto lock = [&](int frequency, int bandwidth) { return sim.card.LockChannel3(frequency, bandwidth, 0, 0, 0, 0, 0); };
    EXPECT_EQ(lock(506000, 8), 0);
    EXPECT_NE(lock(506000, 7), 0);
    EXPECT_NE(lock(506000, 0), 0);
    EXPECT_NE(lock(514000, 8), 0);
    sim.clock.Advance(300);
    EXPECT_FALSE(sim.Locked());
    EXPECT_EQ(lock(506000, 8), 0);
    sim.clock.Advance(300);
    EXPECT_TRUE(sim.Locked());
}
