#include "reception/ReceptionStatistics.h"
#include "tests/unit/ScriptedDriver.h"

#include <gtest/gtest.h>

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
    const auto fields = [](const StatisticsTexts& t) {
        return std::vector<std::string>{t.speed,           t.bytesReceived, t.bytesError,  t.bytesTotal,
                                        t.packetsReceived, t.packetsError,  t.packetsTotal};
    };
    EXPECT_EQ(fields(FormatStatistics(counters)),
              (std::vector<std::string>{"1.00", "2.00", "0.50", "1.00", "2.00", "0.50", "3.00"}));

    counters.speed = 1;
    counters.bytesTotal = INT64_MAX;
    const StatisticsTexts extreme = FormatStatistics(counters);
    EXPECT_EQ(extreme.speed, "0.00");
    EXPECT_EQ(extreme.bytesTotal, "8796093022208.00");
}

TEST(StatisticsReading, DriverFailureShowsZeroEverywhereAndGivesNoCounters)
{
    ScriptedDriver driver;
    driver.counters.bytesTotal = 1048576;   // written, but the call reports failure
    driver.counters.speed = 256;
    driver.SetResult("GetStatsCounters", -1);
    const StatisticsReading reading = ReadStatistics(driver, [](const std::string&) {});
    EXPECT_FALSE(reading.counters) << "a failed read says nothing of the data";
    const StatisticsTexts& texts = reading.texts;
    for (const std::string* text : {&texts.speed, &texts.bytesError, &texts.bytesReceived, &texts.bytesTotal,
                                    &texts.packetsError, &texts.packetsReceived, &texts.packetsTotal})
        EXPECT_EQ(*text, "0.00");

    driver.SetResult("GetStatsCounters", 0);
    EXPECT_EQ(ReadStatistics(driver, [](const std::string&) {}).counters.value_or(StatsCounters{}).bytesTotal, 1048576);
}

TEST(StatisticsPidMacText, WholeAddressesOnlyUpperCaseCommaJoined)
{
    std::vector<std::uint8_t> buffer(kPidMacBufferSize, 0);
    const std::uint8_t three[] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x01, 0xAA, 0xBB, 0xCC,
                                  0xDD, 0xEE, 0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x03};
    std::copy(std::begin(three), std::end(three), buffer.begin());
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 18),
              "AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02,AA-BB-CC-DD-EE-03");
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 13), "AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02");
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 5), "");
    EXPECT_EQ(PidMacAddressesText(buffer.data(), buffer.size(), 0), "");
}
