// The card's data filter: the PIDs loaded with SetDataPID, as many as the
// card has slots for, and the reception counters that their data feeds.
#pragma once

#include "driver/DriverRecords.h"
#include "simulator/CardConfig.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarlink {

constexpr std::uint16_t kHighestDataPid = 0x1FFE;   // 0x1FFF is the null PID
constexpr std::uint32_t kTsPacketBytes = 188;

class DataFilter {
public:
    enum class Change { Done, AlreadyLoaded, NotLoaded, Full };

    explicit DataFilter(std::size_t slots) : slots(slots) {}

    Change Load(std::uint16_t pid, std::uint8_t type);
    Change Unload(std::uint16_t pid);
    void Clear() { loaded.clear(); }
    bool IsLoaded(std::uint16_t pid) const;
    std::size_t LoadedCount() const { return loaded.size(); }

    // The bit rate of the loaded PIDs that this carrier has on air.
    std::uint32_t ReceivingKbps(const Carrier& carrier) const;

    void Receive(std::uint32_t kbps, std::uint64_t ms) { bits += static_cast<std::uint64_t>(kbps) * ms; }
    void ResetCounters() { bits = 0; }
    // Bytes from the bits received, packets of 188 bytes, the error share in
    // thousandths, the speed in 1/256 kbit/s.
    StatsCounters Counters(int errorPerMille, std::uint32_t speedKbps) const;

private:
    struct LoadedPid {
        std::uint16_t pid;
        std::uint8_t type;
    };

    std::size_t slots;
    std::vector<LoadedPid> loaded;
    std::uint64_t bits = 0;
};

}   // namespace quarlink
