// The card simulator's model: what the end-to-end tests rely on when they
// expect a lock, a refusal or a call-log line. The data that stops is the
// data watchdog's scenario's.
#include "simulator/CallLogFormat.h"
#include "simulator/CallsInFlight.h"
#include "simulator/CardConfig.h"
#include "simulator/CardModel.h"
#include "simulator/Clock.h"
#include "simulator/FaultPlan.h"
#include "tests/unit/SourceTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quarlink;

namespace {

// A simulated card on a hand-moved clock.
struct SimulatedCard {
    explicit SimulatedCard(std::string_view ini) : card(ReadCardConfig(ini), clock) { card.InitDise(); }

    // What the program sends for a lock: power and tone, the committed switch
    // command for port 1..4, the tuning call; then the card's lock time passes.
    int LockSatellite(int frequency, int symbolRate, int polarity, int port = 1, int lnbType = 1, int lo1 = 9750,
                      int lo2 = 10600, int power = 1)
    {
        card.SetDiseCom1(0, 0, 0, power);
        SelectPort(port, polarity);
        const int result = card.LockChannel3(frequency, symbolRate, polarity, lnbType, power, lo1, lo2);
        clock.Advance(card.Config().lockTimeMs);
        return result;
    }
    void SelectPort(int port, int polarity)
    {
        card.SetDiseCom2(0xE0, 0x10, 0x38, static_cast<std::uint8_t>(0xF0 | (port - 1) << 2 | (polarity != 0 ? 2 : 0)));
    }
    bool Locked()
    {
        int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, locked = 0;
        card.GetSignalStrAndQu(&strength, &quality, &reserved1, &reserved2, &locked);
        return locked == 1;
    }

    ManualClock clock;
    CardModel card;
};

constexpr std::string_view kSatelliteLineUp =
    "[Card]\nKind=0\nLockTimeMs=300\n"
    "[Switch]\nLNB A=19.2E\nLNB B=13.0E\nLNB D=30.0W\n"
    "[Transponder]\nSatellite=19.2E\nFrequency=11494\nPolarity=H\nSymbolRate=22000\n"
    "[Transponder]\nSatellite=19.2E\nFrequency=12603\nPolarity=H\nSymbolRate=22000\n"
    "[Transponder]\nSatellite=13.0E\nFrequency=11034\nPolarity=V\nSymbolRate=27500\n"
    "[Transponder]\nSatellite=30.0W\nFrequency=3840\nPolarity=R\nSymbolRate=27500\n";

std::string ReadDemo(const std::string& name)
{
    std::ifstream file(SourceFolder() / "simulator" / "demo" / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}   // namespace

TEST(SimulatorSatelliteLock, InputPolarityLnbAndPowerDecide)
{
    SimulatedCard sim(kSatelliteLineUp);
    struct Case {
        int frequency, symbolRate, polarity, port, lnbType, lo1, lo2, power;
        bool locks;
    };
    const Case cases[] = {
        {11494, 22000, 1, 1, 1, 9750, 10600, 1, true},
        {11494, 22000, 1, 2, 1, 9750, 10600, 1, false},   // B sees 13.0E
        {11034, 27500, 0, 2, 1, 9750, 10600, 1, true},
        {11034, 27500, 1, 2, 1, 9750, 10600, 1, false},   // polarity
        {11494, 22000, 1, 1, 1, 9750, 10600, 0, false},
        {11494, 22000, 1, 1, 0, 5150, 5750, 1, false},   // power, LNB
        {3840, 27500, 0, 4, 0, 5150, 5750, 1, true},
        {12603, 22000, 1, 1, 1, 9750, 10600, 1, true},
    };
    for (const Case& c : cases) {
        const int result =
            sim.LockSatellite(c.frequency, c.symbolRate, c.polarity, c.port, c.lnbType, c.lo1, c.lo2, c.power);
        EXPECT_EQ(std::pair(result == 0, sim.Locked()), std::pair(c.locks, c.locks))
            << c.frequency << " port " << c.port;
    }
    EXPECT_TRUE(sim.card.Tone()) << "high band";
}

TEST(SimulatorSatelliteLock, SwitchHearsOnlyCommittedCommandsWhilePowered)
{
    SimulatedCard sim(kSatelliteLineUp);
    sim.card.SetDiseCom1(0, 0, 0, 1);
    sim.SelectPort(2, 0);
    EXPECT_EQ(sim.card.SatelliteInView(), 130);
    sim.card.SetDiseCom2(0xE0, 0x10, 0x39, 0xF4);
    sim.card.SetDiseCom2(0xE0, 0x31, 0x38, 0xF0);
    EXPECT_EQ(sim.card.SatelliteInView(), 130) << "uncommitted group and positioner address";
    sim.card.SetDiseCom1(0, 0, 0, 0);
    sim.SelectPort(4, 0);
    sim.card.SetDiseCom1(0, 0, 0, 1);
    EXPECT_EQ(sim.card.SatelliteInView(), 130) << "an unpowered switch hears nothing";
    sim.SelectPort(4, 1);
    EXPECT_EQ(sim.card.SatelliteInView(), 3300);

    sim.SelectPort(1, 1);
    ASSERT_EQ(sim.card.LockChannel3(11494, 22000, 1, 1, 1, 9750, 10600), 0);
    sim.clock.Advance(299);
    EXPECT_FALSE(sim.Locked()) << "settles after the lock time";
    sim.clock.Advance(1);
    EXPECT_TRUE(sim.Locked());
    sim.card.ReleaseDise();
    EXPECT_EQ(sim.card.StartFilter(), kCardNotOpen);
}

TEST(SimulatorChannelLock, CableAndTerrestrialMatchTheirParameters)
{
    SimulatedCard cable("[Card]\nKind=5\n[Channel]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n");
    const std::tuple<int, int, int, bool> cableCases[] = {{474000, 6900, 64, true},
                                                          {474201, 6900, 64, false},
                                                          {474000, 6900, 256, false},
                                                          {474000, 6900, 0, false},
                                                          {474000, 0, 64, true}};
    for (const auto& [frequency, symbolRate, qam, locks] : cableCases)
        EXPECT_EQ(cable.card.LockChannel3(frequency, symbolRate, qam, 0, 0, 0, 0) == 0, locks)
            << frequency << " " << qam;

    SimulatedCard terrestrial("[Card]\nKind=7\n[Channel]\nFrequency=506000\nBandwidth=8\n");
    for (const auto& [frequency, bandwidth, locks] :
         {std::tuple{506000, 8, true}, {506000, 7, false}, {514000, 8, false}})
        EXPECT_EQ(terrestrial.card.LockChannel3(frequency, bandwidth, 0, 0, 0, 0, 0) == 0, locks) << frequency;
}

TEST(SimulatorConfig, DemoLineUpsLockTheDemoDatabases)
{
    for (const char* name : {"Quarlink.ini", "cable.ini", "terrestrial.ini"}) {
        const CardConfig config = ReadCardConfig(ReadDemo(name));
        EXPECT_TRUE(config.warnings.empty() && config.carriers.size() >= 2u) << name;
    }
    SimulatedCard satellite(ReadDemo("Quarlink.ini"));
    for (const auto& [frequency, symbolRate, polarity, port] : {std::tuple{11494, 22000, 1, 1},
                                                                {11362, 22000, 1, 1},
                                                                {10971, 29700, 1, 2},
                                                                {11034, 27500, 0, 2},
                                                                {10773, 22000, 1, 3}})
        EXPECT_EQ(satellite.LockSatellite(frequency, symbolRate, polarity, port), 0) << frequency;
    SimulatedCard cable(ReadDemo("cable.ini"));
    EXPECT_EQ(cable.card.LockChannel3(474000, 6900, 64, 0, 0, 0, 0), 0);
    EXPECT_EQ(cable.card.LockChannel3(330000, 0, 256, 0, 0, 0, 0), 0);
    SimulatedCard terrestrial(ReadDemo("terrestrial.ini"));
    EXPECT_EQ(terrestrial.card.LockChannel3(506000, 8, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(terrestrial.card.LockChannel3(177500, 7, 0, 0, 0, 0, 0), 0);
}

TEST(SimulatorFaults, PlanFromFaultSectionsAffectsItsWindowOfCalls)
{
    const CardConfig config = ReadCardConfig("[Fault LockChannel3]\nResult=5\nDelayMs=8000\nSkip=1\nCount=1\n"
                                             "[Fault initdise]\nResult=-1\n[Fault Teleport]\nResult=1\n");
    EXPECT_EQ(config.warnings.size(), 1u);
    EXPECT_EQ(config.faults[static_cast<std::size_t>(DriverCall::InitDise)].result, -1);
    FaultPlan plan(config.faults);
    EXPECT_FALSE(plan.Take(DriverCall::LockChannel3).replaceResult);
    const FaultAction second = plan.Take(DriverCall::LockChannel3);
    EXPECT_EQ(std::pair(second.result, second.delayMs), std::pair(5, 8000u));
    EXPECT_FALSE(plan.Take(DriverCall::LockChannel3).replaceResult);
    for (std::size_t i = 0; i < kDriverCallCount; ++i)
        EXPECT_EQ(FindDriverCall(DriverCallName(static_cast<DriverCall>(i))), static_cast<DriverCall>(i));
}

TEST(SimulatorCallLog, EveryCallThatStartsWhileAnotherIsInFlightIsRemarkedOn)
{
    CallsInFlight calls;
    EXPECT_EQ(calls.Begin(DriverCall::LockChannel3), "");
    EXPECT_EQ(calls.Begin(DriverCall::SetDataPID), "SetDataPID called while LockChannel3 is in flight");
    calls.End(DriverCall::SetDataPID);
    EXPECT_EQ(calls.Begin(DriverCall::LockChannel3), "LockChannel3 called while LockChannel3 is in flight");
    EXPECT_EQ(calls.Begin(DriverCall::StopMotor), "StopMotor called while LockChannel3, LockChannel3 are in flight");
    calls.End(DriverCall::LockChannel3);
    calls.End(DriverCall::StopMotor);
    calls.End(DriverCall::GotoZero);   // never started: changes nothing
    EXPECT_EQ(calls.Begin(DriverCall::GetSignalStrAndQu), "GetSignalStrAndQu called while LockChannel3 is in flight");
    calls.End(DriverCall::GetSignalStrAndQu);
    calls.End(DriverCall::LockChannel3);
    EXPECT_EQ(calls.Begin(DriverCall::ReleaseDise), "") << "one after the other";

    EXPECT_TRUE(IsOverlapRemark("# SetDataPID called while LockChannel3 is in flight"));
    EXPECT_TRUE(IsOverlapRemark("# StopMotor called while LockChannel3, GetSignalStrAndQu are in flight"));
    EXPECT_FALSE(IsOverlapRemark("SetDataPID(256,2,1) = 0"));
    EXPECT_FALSE(IsOverlapRemark("# configuration C:\\demo\\Quarlink.ini"));
}
