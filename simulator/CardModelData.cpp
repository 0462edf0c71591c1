// The data side of the card model: filter, PIDs, counters and addresses.
#include "simulator/CardModel.h"

#include <algorithm>
#include <cstring>

namespace quarlink {

namespace {

bool IsUnicastAddress(const std::uint8_t* address)
{
    const bool allZero = std::all_of(address, address + 6, [](std::uint8_t byte) { return byte == 0; });
    return !allZero && (address[0] & 0x01) == 0;
}

}   // namespace

std::uint32_t CardModel::ReceivingKbps(std::uint64_t nowMs) const
{
    if (!filterRunning || !HasLock(nowMs) || dataStopped)
        return 0;
    return filter.ReceivingKbps(config.carriers[static_cast<std::size_t>(tunedCarrier)]);
}

bool CardModel::IsReceiving(std::uint16_t pid, std::uint64_t nowMs) const
{
    if (!filterRunning || !HasLock(nowMs) || !filter.IsLoaded(pid))
        return false;
    const Carrier& carrier = config.carriers[static_cast<std::size_t>(tunedCarrier)];
    return std::any_of(carrier.pids.begin(), carrier.pids.end(),
                       [pid](const OnAirPid& onAir) { return onAir.pid == pid; });
}

void CardModel::AdvanceCounters(std::uint64_t nowMs)
{
    // A lock still settling delivers nothing before it is ready.
    const std::uint64_t from = std::max(countedUntilMs, lockReadyMs);
    if (nowMs > from)
        filter.Receive(ReceivingKbps(nowMs), nowMs - from);
    countedUntilMs = std::max(countedUntilMs, nowMs);
}

int CardModel::StartFilter()
{
    if (!open)
        return kCardNotOpen;
    AdvanceCounters(clock.NowMs());
    filterRunning = true;
    return kCardOk;
}

// Stopping empties the PID table: the program loads its PIDs again after
// every StartFilter.
int CardModel::StopFilter()
{
    if (!open)
        return kCardNotOpen;
    AdvanceCounters(clock.NowMs());
    filterRunning = false;
    filter.Clear();
    return kCardOk;
}

int CardModel::SetDataPID(std::uint16_t pid, std::uint8_t type, int load)
{
    if (!open)
        return kCardNotOpen;
    if (pid > kHighestDataPid || (load != 0 && load != 1))
        return kCardFailed;
    AdvanceCounters(clock.NowMs());
    const DataFilter::Change change = load == 1 ? filter.Load(pid, type) : filter.Unload(pid);
    return change == DataFilter::Change::Done ? kCardOk : kCardRefused;
}

int CardModel::GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length)
{
    if (!open)
        return kCardNotOpen;
    if (!buffer || !length)
        return kCardFailed;
    *length = 0;
    if (!IsReceiving(pid, clock.NowMs()))
        return kCardOk;
    const Carrier& carrier = config.carriers[static_cast<std::size_t>(tunedCarrier)];
    const auto onAir = std::find_if(carrier.pids.begin(), carrier.pids.end(),
                                    [pid](const OnAirPid& candidate) { return candidate.pid == pid; });
    const std::size_t count = std::min(onAir->macs.size(), kMaxReportedMacs);
    for (std::size_t i = 0; i < count; ++i)
        std::memcpy(buffer + i * 6, onAir->macs[i].data(), 6);
    *length = static_cast<std::uint8_t>(count * 6);
    return kCardOk;
}

int CardModel::GetStatsCounters(StatsCounters* counters)
{
    if (!open)
        return kCardNotOpen;
    if (!counters)
        return kCardFailed;
    const std::uint64_t now = clock.NowMs();
    AdvanceCounters(now);
    *counters = filter.Counters(config.signal.errorPerMille, ReceivingKbps(now));
    return kCardOk;
}

int CardModel::GetMACAddr(std::uint8_t* mac6)
{
    if (!open)
        return kCardNotOpen;
    if (!mac6)
        return kCardFailed;
    std::memcpy(mac6, config.cardMac.data(), 6);
    return kCardOk;
}

int CardModel::GetNetMACAddr(NetMacSetting* setting)
{
    if (!open)
        return kCardNotOpen;
    if (!setting)
        return kCardFailed;
    *setting = netMac;
    return kCardOk;
}

// A network adapter cannot take a group or an all-zero address as its own.
int CardModel::SetNetMACAddr(const NetMacSetting* setting)
{
    if (!open)
        return kCardNotOpen;
    if (!setting)
        return kCardFailed;
    if (setting->enable != 0 && !IsUnicastAddress(setting->address))
        return kCardRefused;
    netMac.enable = setting->enable;
    std::memcpy(netMac.address, setting->address, sizeof netMac.address);
    return kCardOk;
}

int CardModel::SetFilterMAC(std::uint8_t* mac6)
{
    if (!open)
        return kCardNotOpen;
    if (!mac6)
        return kCardFailed;
    std::memcpy(filterMac.data(), mac6, 6);
    return kCardOk;
}

}   // namespace quarlink
