#include "reception/ReceptionStatistics.h"

#include "reception/FormatText.h"
#include "reception/PidInfoRules.h"
#include "reception/PidListTexts.h"

#include <algorithm>
#include <vector>

using namespace reception;

namespace {

constexpr double kBytesPerMbyte = 1048576.0;
constexpr double kPacketsPerKPacket = 1024.0;
constexpr double kSpeedUnitsPerKbps = 256.0;
constexpr std::size_t kMacLength = 6;

std::string TwoDecimals(double value) { return FormatText("%.2f", value); }

void WriteStatisticsLines(const StatisticsTexts& texts, const TextSink& debugOutput)
{
    debugOutput("Speed: " + texts.speed + "\n");
    debugOutput("ByteTotal: " + texts.bytesTotal + "\n");
    debugOutput("Packets error: " + texts.packetsError + "\n");
    debugOutput("Packets Receive: " + texts.packetsReceived + "\n");
    debugOutput("Packets Total: " + texts.packetsTotal + "\n");
}

}   // namespace

StatisticsTexts ZeroStatisticsTexts()
{
    return {kZeroStatisticText, kZeroStatisticText, kZeroStatisticText, kZeroStatisticText,
            kZeroStatisticText, kZeroStatisticText, kZeroStatisticText};
}

StatisticsTexts FormatStatistics(const StatsCounters& c)
{
    return {
        TwoDecimals(c.speed / kSpeedUnitsPerKbps),
        TwoDecimals(static_cast<double>(c.bytesError) / kBytesPerMbyte),
        TwoDecimals(static_cast<double>(c.bytesReceived) / kBytesPerMbyte),
        TwoDecimals(static_cast<double>(c.bytesTotal) / kBytesPerMbyte),
        TwoDecimals(static_cast<double>(c.packetsError) / kPacketsPerKPacket),
        TwoDecimals(static_cast<double>(c.packetsReceived) / kPacketsPerKPacket),
        TwoDecimals(static_cast<double>(c.packetsTotal) / kPacketsPerKPacket),
    };
}

StatisticsReading ReadStatistics(ReceiverDriver& driver, const TextSink& debugOutput)
{
    StatsCounters counters{};
    StatisticsReading reading;
    if (driver.GetStatsCounters(&counters) != 0) {
        debugOutput("GetStatsCounters return value error\n");
        reading.texts = ZeroStatisticsTexts();
    } else {
        reading.texts = FormatStatistics(counters);
        reading.counters = counters;
    }
    WriteStatisticsLines(reading.texts, debugOutput);
    return reading;
}

std::string PidMacAddressesText(const std::uint8_t* buffer, std::size_t bufferSize, std::size_t length)
{
    const std::size_t count = std::min(length, bufferSize) / kMacLength;
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* a = buffer + i * kMacLength;
        text += FormatText("%s%02X-%02X-%02X-%02X-%02X-%02X", i == 0 ? "" : ",", a[0], a[1], a[2], a[3], a[4], a[5]);
    }
    return text;
}

std::string ReadPidMacText(ReceiverDriver& driver, std::int32_t pid, const TextSink& trace, const TextSink& debugOutput)
{
    std::string text;
    if (pid < kMinDataPid || pid > kMaxDataPid) {
        trace("The error PID value!\n");
    } else {
        // Zeroed before every call, so that nothing of another PID's answer
        // can show up in this one.
        std::vector<std::uint8_t> buffer(kPidMacBufferSize, 0);
        std::uint8_t length = 0;
        if (driver.GetDataPIDMAC(static_cast<std::uint16_t>(pid), buffer.data(), &length) != 0)
            debugOutput("GetDataPIDMAC return value error\n");
        else
            text = PidMacAddressesText(buffer.data(), buffer.size(), length);
    }
    if (text.empty())
        text = kUnknownMacText;
    debugOutput(FormatText("PID value: %d   PID MAC address: %s\n", pid, text.c_str()));
    return text;
}
