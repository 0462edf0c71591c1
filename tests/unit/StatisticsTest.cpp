#include "reception/PidPageRules.h"
#include "reception/ReceptionStatistics.h"
#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/ReceptionTestHost.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::vector<std::uint8_t> kThreeAddresses = {
    0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x01, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x03};

class Lines {
public:
    TextSink Sink()
    {
        return [this](const std::string& line) { lines.push_back(line); };
    }
    std::vector<std::string> lines;
};

}  // namespace

TEST(StatisticsFormatting, EachCounterInItsUnitAndField)
{
    StatsCounters counters{};
    counters.bytesReceived = 2 * 1048576;
    counters.bytesError = 524288;
    counters.bytesTotal = 1048576;
    counters.packetsReceived = 2048;
    counters.packetsError = 512;
    counters.packetsTotal = 3072;
    counters.speed = 256;
    const StatisticsTexts texts = FormatStatistics(counters);
    EXPECT_EQ(texts.speed, "1.00");
    EXPECT_EQ(texts.bytesReceived, "2.00");
    EXPECT_EQ(texts.bytesError, "0.50");
    EXPECT_EQ(texts.bytesTotal, "1.00");
    EXPECT_EQ(texts.packetsReceived, "2.00");
    EXPECT_EQ(texts.packetsError, "0.50");
    EXPECT_EQ(texts.packetsTotal, "3.00");

    counters.speed = 1;
    counters.bytesTotal = INT64_MAX;
    const StatisticsTexts extreme = FormatStatistics(counters);
    EXPECT_EQ(extreme.speed, "0.00");
    EXPECT_EQ(extreme.bytesTotal, "8796093022208.00");
}

TEST(StatisticsReading, DriverFailureShowsZeroEverywhere)
{
    ScriptedDriver driver;
    driver.counters.bytesTotal = 1048576;  // written, but the call reports failure
    driver.counters.speed = 256;
    driver.SetResult("GetStatsCounters", -1);
    Lines debug;
    const StatisticsTexts texts = ReadStatistics(driver, debug.Sink());
    for (const std::string* text : {&texts.speed, &texts.bytesError, &texts.bytesReceived, &texts.bytesTotal,
                                    &texts.packetsError, &texts.packetsReceived, &texts.packetsTotal})
        EXPECT_EQ(*text, "0.00");
}

TEST(StatisticsPidMacText, WholeAddressesOnlyUpperCaseCommaJoined)
{
    std::vector<std::uint8_t> buffer(kPidMacBufferSize, 0);
    std::copy(kThreeAddresses.begin(), kThreeAddresses.end(), buffer.begin());
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 18),
              "AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02,AA-BB-CC-DD-EE-03");
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 13), "AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02");
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 5), "");
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 0), "");
}

TEST(StatisticsPidMacText, LengthBeyondTheBufferNeverReadsPastIt)
{
    // Exactly sized on the heap: the address sanitizer stops any read past it.
    auto buffer = std::make_unique<std::uint8_t[]>(kPidMacBufferSize);
    std::fill_n(buffer.get(), kPidMacBufferSize, 0x11);
    const std::string text = PidMacAddressesText(buffer.get(), kPidMacBufferSize, 1000);
    EXPECT_EQ(text.size(), 43u * 18u - 1u) << "260 bytes hold 43 whole addresses";
    EXPECT_EQ(text.substr(0, 18), "11-11-11-11-11-11,");
}

TEST(StatisticsPidMacText, EachRowAsksTheCardForItsPid)
{
    ScriptedDriver driver;
    driver.pidMacs[21] = {kThreeAddresses, 13};
    driver.pidMacs[255] = {{0xab, 0xcd, 0xef, 0x01, 0x02, 0x03}, 6};
    driver.pidMacs[300] = {{}, 0};
    driver.pidMacs[400] = {std::vector<std::uint8_t>(kPidMacBufferSize, 0x42), 255};
    Lines trace;
    Lines debug;

    EXPECT_EQ(ReadPidMacText(driver, 21, trace.Sink(), debug.Sink()), "AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02");
    EXPECT_EQ(ReadPidMacText(driver, 255, trace.Sink(), debug.Sink()), "AB-CD-EF-01-02-03");
    EXPECT_EQ(ReadPidMacText(driver, 300, trace.Sink(), debug.Sink()), "Unknown")
        << "nothing of the previous PID's answer remains";
    EXPECT_EQ(ReadPidMacText(driver, 400, trace.Sink(), debug.Sink()).size(), 42u * 18u - 1u);
    EXPECT_EQ(driver.Calls(), (std::vector<std::string>{"GetDataPIDMAC(21)", "GetDataPIDMAC(255)",
                                                        "GetDataPIDMAC(300)", "GetDataPIDMAC(400)"}));
    EXPECT_TRUE(trace.lines.empty());
}

TEST(StatisticsPidMacText, FailuresAndBadPidsShowUnknown)
{
    ScriptedDriver driver;
    driver.pidMacs[100] = {kThreeAddresses, 18};
    driver.SetResult("GetDataPIDMAC", 3);
    Lines trace;
    Lines debug;
    EXPECT_EQ(ReadPidMacText(driver, 100, trace.Sink(), debug.Sink()), "Unknown");

    driver.ClearCalls();
    for (int pid : {20, 8191, -5})
        EXPECT_EQ(ReadPidMacText(driver, pid, trace.Sink(), debug.Sink()), "Unknown");
    EXPECT_TRUE(driver.Calls().empty());
    EXPECT_EQ(trace.lines, std::vector<std::string>(3, "The error PID value!\n"));
}

TEST(StatisticsOfThePage, NothingIsAskedWithoutACurrentTransponder)
{
    ScriptedDriver driver;
    ReceptionTestHost host;
    CChannelDatabase database;
    database.Load(std::string());
    PidPageRules rules(database, driver, host);
    PidRecord orphan;
    orphan.pid = 100;

    EXPECT_FALSE(rules.RefreshStatistics());
    EXPECT_TRUE(rules.RefreshPidMacs({&orphan}).empty());
    EXPECT_TRUE(driver.Calls().empty());
}

TEST(StatisticsOfThePage, RefreshesGoThroughTheHost)
{
    ScriptedDriver driver;
    ReceptionTestHost host;
    CChannelDatabase database;
    AddCurrentTransponder(database);
    PidRecord* good = AddStoredPid(database, 21);
    PidRecord* bad = AddStoredPid(database, 9000);
    driver.pidMacs[21] = {kThreeAddresses, 18};
    driver.counters.speed = 128;
    PidPageRules rules(database, driver, host);

    const auto statistics = rules.RefreshStatistics();
    ASSERT_TRUE(statistics);
    EXPECT_EQ(statistics->speed, "0.50");

    const auto texts = rules.RefreshPidMacs({bad, good});
    EXPECT_EQ(texts, (std::vector<std::string>{"Unknown", "AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02,AA-BB-CC-DD-EE-03"}));
    EXPECT_EQ(host.traces, std::vector<std::string>{"The error PID value!\n"});
    EXPECT_EQ(good->name[0], '\0') << "the record's own name is not changed";
}
