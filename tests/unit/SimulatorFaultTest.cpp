#include "simulator/CallLogFormat.h"
#include "simulator/CardConfig.h"
#include "simulator/FaultPlan.h"

#include <gtest/gtest.h>

using namespace quarlink;

TEST(SimulatorFaults, RulesComeFromFaultSections)
{
    const CardConfig config = ReadCardConfig("[Fault LockChannel3]\nResult=5\nDelayMs=8000\nSkip=2\nCount=1\n"
                                             "[Fault initdise]\nResult=-1\n"
                                             "[Fault GetSignalStrAndQu]\nDelayMs=100\n"
                                             "[Fault Teleport]\nResult=1\n[Fault]\nResult=1\n");
    const FaultRule& lock = config.faults[static_cast<std::size_t>(DriverCall::LockChannel3)];
    EXPECT_TRUE(lock.replaceResult);
    EXPECT_EQ(lock.result, 5);
    EXPECT_EQ(lock.delayMs, 8000u);
    EXPECT_EQ(lock.skip, 2u);
    EXPECT_EQ(lock.count, 1u);
    EXPECT_EQ(config.faults[static_cast<std::size_t>(DriverCall::InitDise)].result, -1);
    const FaultRule& poll = config.faults[static_cast<std::size_t>(DriverCall::GetSignalStrAndQu)];
    EXPECT_FALSE(poll.replaceResult) << "a delay alone still does the call";
    EXPECT_EQ(poll.delayMs, 100u);
    EXPECT_EQ(config.warnings.size(), 2u) << "Teleport and the unnamed section";
}

TEST(SimulatorFaults, PlanAffectsTheChosenWindowOfCalls)
{
    FaultRules rules{};
    rules[static_cast<std::size_t>(DriverCall::StartFilter)] = {true, 9, 50, 1, 2};
    rules[static_cast<std::size_t>(DriverCall::StopFilter)] = {true, 4, 0, 0, 0};
    FaultPlan plan(rules);
    EXPECT_FALSE(plan.Take(DriverCall::StartFilter).replaceResult);
    const FaultAction second = plan.Take(DriverCall::StartFilter);
    EXPECT_TRUE(second.replaceResult);
    EXPECT_EQ(second.result, 9);
    EXPECT_EQ(second.delayMs, 50u);
    EXPECT_TRUE(plan.Take(DriverCall::StartFilter).replaceResult);
    EXPECT_FALSE(plan.Take(DriverCall::StartFilter).replaceResult);
    EXPECT_EQ(plan.Take(DriverCall::StartFilter).delayMs, 0u);
    for (int call = 0; call < 5; ++call)
        EXPECT_EQ(plan.Take(DriverCall::StopFilter).result, 4) << "count 0 means every call";
    EXPECT_FALSE(plan.Take(DriverCall::GotoSat).replaceResult);
}

TEST(SimulatorFaults, EveryCallHasItsLibraryName)
{
    EXPECT_EQ(DriverCallName(DriverCall::InitDise), "InitDise");
    EXPECT_EQ(DriverCallName(DriverCall::EnableLimit), "EnableLimit");
    for (std::size_t i = 0; i < kDriverCallCount; ++i) {
        const auto call = static_cast<DriverCall>(i);
        EXPECT_EQ(FindDriverCall(DriverCallName(call)), call);
    }
    EXPECT_FALSE(FindDriverCall("_LockChannel3@28"));
}

TEST(SimulatorCallLog, LinesShowArgumentsResultOutputsAndNotes)
{
    EXPECT_EQ(CallLine("SetDiseCom2", JoinArguments({HexByte(0xE0), HexByte(0x10), HexByte(0x38), HexByte(0xF2)}), 0, "", "", ""),
              "SetDiseCom2(E0,10,38,F2) = 0");
    EXPECT_EQ(CallLine("GotoSat", JoinArguments({DecimalText(192), DecimalText(5), DecimalText(52)}), 0,
                       JoinArguments({DecimalText(15.6389), DecimalText(29.0436)}), GotoAngleBusText(15.6389), ""),
              "GotoSat(192.00,5.00,52.00) = 0 -> 15.64,29.04 | E0 31 6E E0 FA");
    EXPECT_EQ(CallLine("LockChannel3", "1,2", 1, "", "", "fault, blocked 8000 ms"), "LockChannel3(1,2) = 1 # fault, blocked 8000 ms");

    const std::uint8_t macs[13] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x01, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x02, 0x77};
    EXPECT_EQ(PidMacsText(macs, 13), "13:AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02");
    EXPECT_EQ(PidMacsText(macs, 0), "0:");
    EXPECT_EQ(MacText(nullptr), "null");

    StatsCounters counters{};
    counters.bytesTotal = 1048576;
    counters.bytesReceived = 1048576;
    counters.speed = 512000;
    EXPECT_EQ(CountersText(counters), "1048576,0,1048576,0,0,0,512000");
    EXPECT_EQ(NetMacText({1, {0x00, 0x11, 0x22, 0xAB, 0xCD, 0xEF}, {0, 0}}), "1,00-11-22-AB-CD-EF");

    EXPECT_EQ(PositionerBusText(DriverCall::GotoSatPosition, 4), "E0 31 6B 04");
    EXPECT_EQ(PositionerBusText(DriverCall::StoreSatPosition, 4), "E0 31 6A 04");
    EXPECT_EQ(PositionerBusText(DriverCall::EnableLimit, 0), "E0 31 6A 00");
    EXPECT_EQ(PositionerBusText(DriverCall::StopMotor, 0), "E0 31 60");
    EXPECT_EQ(PositionerBusText(DriverCall::LockChannel3, 0), "");
}
