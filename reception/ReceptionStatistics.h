// The reception counters and the per-PID MAC addresses that the PID page
// shows, read from the driver and turned into display texts. Both write
// diagnostic lines to the debugger output.
#pragma once

#include "driver/ReceiverDriver.h"
#include "common/TextSink.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The seven texts, each "%.2f": bytes in Mbytes, packets in KPackets, speed in kbps.
struct StatisticsTexts {
    std::string speed;             // control 1191
    std::string bytesError;        // control 1186
    std::string bytesReceived;     // control 1185
    std::string bytesTotal;        // control 1187
    std::string packetsError;      // control 1189
    std::string packetsReceived;   // control 1188
    std::string packetsTotal;      // control 1190
};

inline constexpr const char* kZeroStatisticText = "0.00";

StatisticsTexts ZeroStatisticsTexts();
StatisticsTexts FormatStatistics(const StatsCounters& counters);

// One read of the counters: the texts the page shows and, when the driver
// gave them, the counters themselves (for the signal window's data rate).
struct StatisticsReading {
    StatisticsTexts texts;
    std::optional<StatsCounters> counters;
};

// Asks the driver for its counters; on failure every text is "0.00".
StatisticsReading ReadStatistics(ReceiverDriver& driver, const TextSink& debugOutput);

// The addresses of a GetDataPIDMAC buffer, upper case, joined by commas;
// only whole 6-byte addresses count, and never more than bufferSize holds.
// Empty when there is none.
std::string PidMacAddressesText(const std::uint8_t* buffer, std::size_t bufferSize, std::size_t length);

// The MAC Address cell of a row showing `pid`: the addresses the card reports
// for it, or "Unknown". A PID outside 21 to 8190 is not asked for.
std::string ReadPidMacText(ReceiverDriver& driver, std::int32_t pid, const TextSink& trace,
                           const TextSink& debugOutput);
