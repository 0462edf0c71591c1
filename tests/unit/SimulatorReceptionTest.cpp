#include "SimulatorTestSupport.h"

#include "driver/DriverRecords.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace quarlink;

namespace {

StatsCounters ReadCounters(CardModel& card)
{
    StatsCounters counters{};
    EXPECT_EQ(card.GetStatsCounters(&counters), 0);
    return counters;
}

} // namespace

TEST(SimulatorPids, LoadAndUnloadFollowTheTable)
{
    SimulatedCard sim(kSatelliteLineUp);
    EXPECT_EQ(sim.card.SetDataPID(256, 2, 1), 0);
    EXPECT_EQ(sim.card.SetDataPID(256, 2, 1), kCardRefused) << "already loaded";
    EXPECT_EQ(sim.card.SetDataPID(300, 2, 0), kCardRefused) << "never loaded";
    EXPECT_EQ(sim.card.SetDataPID(256, 2, 0), 0);
    EXPECT_EQ(sim.card.SetDataPID(256, 2, 0), kCardRefused);
    EXPECT_EQ(sim.card.SetDataPID(0x1FFF, 2, 1), kCardFailed) << "null PID";
    EXPECT_EQ(sim.card.SetDataPID(256, 2, 2), kCardFailed) << "load is 0 or 1";
}

TEST(SimulatorPids, SlotsDependOnTheDeviceType)
{
    for (const auto& [deviceType, slots] : {std::pair{1, 8}, std::pair{2, 16}}) {
        SimulatedCard sim("[Card]\nDeviceType=" + std::to_string(deviceType) + "\n");
        for (int pid = 100; pid < 100 + slots; ++pid)
            EXPECT_EQ(sim.card.SetDataPID(static_cast<std::uint16_t>(pid), 2, 1), 0);
        EXPECT_EQ(sim.card.SetDataPID(static_cast<std::uint16_t>(100 + slots), 2, 1), kCardRefused);
        EXPECT_EQ(sim.card.SetDataPID(100, 2, 0), 0);
        EXPECT_EQ(sim.card.SetDataPID(static_cast<std::uint16_t>(100 + slots), 2, 1), 0);
    }
}

TEST(SimulatorCounters, GrowWithLoadedPidsWhileFilterRunsAndLocked)
{
    SimulatedCard sim(kSatelliteLineUp);
    ASSERT_EQ(sim.LockSatellite(11494, 22000, 1), 0);
    ASSERT_EQ(sim.card.SetDataPID(256, 2, 1), 0);
    sim.clock.Advance(1000);
    EXPECT_EQ(ReadCounters(sim.card).bytesTotal, 0) << "filter not started";

    ASSERT_EQ(sim.card.StartFilter(), 0);
    EXPECT_EQ(sim.card.SetDataPID(256, 2, 1), kCardRefused) << "starting keeps the table";
    sim.clock.Advance(1000);
    StatsCounters counters = ReadCounters(sim.card);
    EXPECT_EQ(counters.bytesTotal, 250000) << "2000 kbit/s for one second";
    EXPECT_EQ(counters.bytesReceived, 250000);
    EXPECT_EQ(counters.packetsTotal, 250000 / 188);
    EXPECT_EQ(counters.speed, 2000 * 256);

    ASSERT_EQ(sim.card.SetDataPID(257, 2, 1), 0);
    ASSERT_EQ(sim.card.SetDataPID(999, 2, 1), 0) << "loaded but not on air";
    sim.clock.Advance(2000);
    counters = ReadCounters(sim.card);
    EXPECT_EQ(counters.bytesTotal, 250000 + 2 * 2512 * 125);
    EXPECT_EQ(counters.speed, 2512 * 256);

    sim.card.StopFilter();
    sim.clock.Advance(1000);
    counters = ReadCounters(sim.card);
    EXPECT_EQ(counters.bytesTotal, 250000 + 2 * 2512 * 125);
    EXPECT_EQ(counters.speed, 0);
    sim.card.StartFilter();
    sim.clock.Advance(1000);
    EXPECT_EQ(ReadCounters(sim.card).bytesTotal, 250000 + 2 * 2512 * 125) << "stopping emptied the table";
}

TEST(SimulatorCounters, NothingArrivesWhileTheLockSettlesOrAfterItIsLost)
{
    SimulatedCard sim(std::string(kSatelliteLineUp) + "[Signal]\nErrorPerMille=10\nLoseLockAfterPolls=1\n");
    sim.card.StartFilter();
    sim.card.SetDataPID(256, 2, 1);
    sim.card.SetDiseCom1(0, 0, 0, 1);
    sim.SelectPort(1, 1);
    ASSERT_EQ(sim.card.LockChannel3(11494, 22000, 1, 1, 1, 9750, 10600), 0);
    sim.clock.Advance(300 + 1000);
    StatsCounters counters = ReadCounters(sim.card);
    EXPECT_EQ(counters.bytesTotal, 250000);
    EXPECT_EQ(counters.bytesError, 2500);
    EXPECT_EQ(counters.bytesReceived, 247500);
    EXPECT_EQ(counters.packetsError, 2500 / 188);

    EXPECT_TRUE(sim.Locked());
    EXPECT_FALSE(sim.Locked());
    sim.clock.Advance(1000);
    counters = ReadCounters(sim.card);
    EXPECT_EQ(counters.bytesTotal, 250000);
    EXPECT_EQ(counters.speed, 0);
}

TEST(SimulatorPidMacs, ReportsTheAddressesOfPidsBeingReceived)
{
    std::string ini(kSatelliteLineUp);
    ini += "[Transponder]\nSatellite=19.2E\nFrequency=11362\nPolarity=H\nSymbolRate=22000\nPid=512 100";
    for (int i = 0; i < 50; ++i) {
        char mac[24];
        std::snprintf(mac, sizeof mac, " 02-00-00-00-00-%02X", i);
        ini += mac;
    }
    ini += "\n";
    SimulatedCard sim(ini);
    std::uint8_t buffer[kPidMacBufferSize] = {};
    std::uint8_t length = 99;
    EXPECT_EQ(sim.card.GetDataPIDMAC(256, buffer, &length), 0);
    EXPECT_EQ(length, 0) << "not received yet";

    ASSERT_EQ(sim.LockSatellite(11494, 22000, 1), 0);
    sim.card.StartFilter();
    sim.card.SetDataPID(256, 2, 1);
    sim.card.SetDataPID(257, 2, 1);
    ASSERT_EQ(sim.card.GetDataPIDMAC(256, buffer, &length), 0);
    ASSERT_EQ(length, 12);
    const std::uint8_t expected[12] = {0x02, 0x00, 0x5E, 0x00, 0x01, 0x01, 0x02, 0x00, 0x5E, 0x00, 0x01, 0x02};
    EXPECT_EQ(std::memcmp(buffer, expected, sizeof expected), 0);
    ASSERT_EQ(sim.card.GetDataPIDMAC(257, buffer, &length), 0);
    EXPECT_EQ(length, 0) << "on air without addresses";
    EXPECT_EQ(sim.card.GetDataPIDMAC(256, nullptr, &length), kCardFailed);
    EXPECT_EQ(sim.card.GetDataPIDMAC(256, buffer, nullptr), kCardFailed);

    ASSERT_EQ(sim.LockSatellite(11362, 22000, 1), 0);
    sim.card.SetDataPID(512, 2, 1);
    ASSERT_EQ(sim.card.GetDataPIDMAC(512, buffer, &length), 0);
    EXPECT_EQ(length, 42 * 6) << "the length byte caps the list at 42 addresses";
    EXPECT_EQ(buffer[41 * 6 + 5], 41);
}

TEST(SimulatorMacs, CardAddressNetworkSettingAndFilterAddress)
{
    SimulatedCard sim("[Card]\nMAC=00-11-22-AB-CD-EF\nNetMACEnable=1\nNetMAC=02-11-22-33-44-55\n");
    std::uint8_t mac[6] = {};
    ASSERT_EQ(sim.card.GetMACAddr(mac), 0);
    EXPECT_EQ(mac[3], 0xAB);
    EXPECT_EQ(mac[5], 0xEF);
    EXPECT_EQ(sim.card.GetMACAddr(nullptr), kCardFailed);

    NetMacSetting setting{};
    ASSERT_EQ(sim.card.GetNetMACAddr(&setting), 0);
    EXPECT_EQ(setting.enable, 1);
    EXPECT_EQ(setting.address[0], 0x02);

    const NetMacSetting chosen = {1, {0x00, 0x11, 0x22, 0xAB, 0xCD, 0xEF}, {0, 0}};
    ASSERT_EQ(sim.card.SetNetMACAddr(&chosen), 0);
    NetMacSetting readBack{};
    sim.card.GetNetMACAddr(&readBack);
    EXPECT_EQ(std::memcmp(&readBack, &chosen, sizeof chosen), 0);

    const NetMacSetting group = {1, {0x01, 0x00, 0x5E, 0x00, 0x00, 0x01}, {0, 0}};
    const NetMacSetting zero = {1, {0, 0, 0, 0, 0, 0}, {0, 0}};
    EXPECT_EQ(sim.card.SetNetMACAddr(&group), kCardRefused);
    EXPECT_EQ(sim.card.SetNetMACAddr(&zero), kCardRefused);
    const NetMacSetting off = {0, {0, 0, 0, 0, 0, 0}, {0, 0}};
    EXPECT_EQ(sim.card.SetNetMACAddr(&off), 0) << "a disabled setting needs no usable address";
    EXPECT_EQ(sim.card.SetNetMACAddr(nullptr), kCardFailed);

    std::uint8_t filter[6] = {0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E};
    ASSERT_EQ(sim.card.SetFilterMAC(filter), 0);
    EXPECT_EQ(std::memcmp(sim.card.FilterMac(), filter, 6), 0);
}
