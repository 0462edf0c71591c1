#include "simulator/DataFilter.h"

#include <algorithm>
#include <climits>

namespace quarlink {

DataFilter::Change DataFilter::Load(std::uint16_t pid, std::uint8_t type)
{
    if (IsLoaded(pid))
        return Change::AlreadyLoaded;
    if (loaded.size() >= slots)
        return Change::Full;
    loaded.push_back({pid, type});
    return Change::Done;
}

DataFilter::Change DataFilter::Unload(std::uint16_t pid)
{
    const auto found =
        std::find_if(loaded.begin(), loaded.end(), [pid](const LoadedPid& entry) { return entry.pid == pid; });
    if (found == loaded.end())
        return Change::NotLoaded;
    loaded.erase(found);
    return Change::Done;
}

bool DataFilter::IsLoaded(std::uint16_t pid) const
{
    return std::any_of(loaded.begin(), loaded.end(), [pid](const LoadedPid& entry) { return entry.pid == pid; });
}

std::uint32_t DataFilter::ReceivingKbps(const Carrier& carrier) const
{
    std::uint32_t kbps = 0;
    for (const OnAirPid& onAir : carrier.pids) {
        if (IsLoaded(onAir.pid))
            kbps += onAir.kbps;
    }
    return kbps;
}

StatsCounters DataFilter::Counters(int errorPerMille, std::uint32_t speedKbps) const
{
    const auto bytesTotal = static_cast<std::int64_t>(bits / 8);
    const std::int64_t bytesError = bytesTotal / 1000 * errorPerMille + bytesTotal % 1000 * errorPerMille / 1000;
    const std::int64_t packetsTotal = bytesTotal / kTsPacketBytes;
    const std::int64_t packetsError = bytesError / kTsPacketBytes;
    StatsCounters counters{};
    counters.bytesReceived = bytesTotal - bytesError;
    counters.bytesError = bytesError;
    counters.bytesTotal = bytesTotal;
    counters.packetsReceived = packetsTotal - packetsError;
    counters.packetsError = packetsError;
    counters.packetsTotal = packetsTotal;
    counters.speed =
        static_cast<std::int32_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(speedKbps) * 256, INT32_MAX));
    return counters;
}

}   // namespace quarlink
