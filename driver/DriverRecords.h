// Records exchanged with the receiver driver library. Their layout is fixed
// by the vendor's binary interface, so every offset is checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// The card's network adapter address setting.
struct NetMacSetting {
    std::int32_t enable;   // non-zero: the card uses this address
    std::uint8_t address[6];
    std::uint8_t reserved[2];   // always zero
};

// Reception counters filled by GetStatsCounters.
struct StatsCounters {
    std::int64_t bytesReceived;
    std::int64_t bytesError;
    std::int64_t bytesTotal;
    std::int64_t packetsReceived;
    std::int64_t packetsError;
    std::int64_t packetsTotal;
    std::int32_t speed;   // 1/256 kbit/s
    std::uint8_t unused[4];
};

#pragma pack(pop)

static_assert(sizeof(NetMacSetting) == 12);
static_assert(offsetof(NetMacSetting, enable) == 0);
static_assert(offsetof(NetMacSetting, address) == 4);
static_assert(offsetof(NetMacSetting, reserved) == 10);

static_assert(sizeof(StatsCounters) == 56);
static_assert(offsetof(StatsCounters, bytesReceived) == 0);
static_assert(offsetof(StatsCounters, bytesError) == 8);
static_assert(offsetof(StatsCounters, bytesTotal) == 16);
static_assert(offsetof(StatsCounters, packetsReceived) == 24);
static_assert(offsetof(StatsCounters, packetsError) == 32);
static_assert(offsetof(StatsCounters, packetsTotal) == 40);
static_assert(offsetof(StatsCounters, speed) == 48);
static_assert(offsetof(StatsCounters, unused) == 52);

// Size of the buffer GetDataPIDMAC writes consecutive 6-byte addresses into.
constexpr std::size_t kPidMacBufferSize = 260;
