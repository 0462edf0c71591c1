// Filter, PIDs, reception counters and addresses.
#include "simulator/win/QuarlinkExports.h"

#include "simulator/CallLogFormat.h"
#include "simulator/win/SimulatorHost.h"

#include <string>

using namespace quarlink;
using std::to_string;

QUARLINK_EXPORT StartFilter() { return RunPlainCall(DriverCall::StartFilter, &CardModel::StartFilter); }

QUARLINK_EXPORT StopFilter() { return RunPlainCall(DriverCall::StopFilter, &CardModel::StopFilter); }

QUARLINK_EXPORT SetDataPID(std::uint16_t pid, std::uint8_t type, int load)
{
    const std::string arguments = JoinArguments({to_string(pid), to_string(type), to_string(load)});
    return SimulatorHost::Instance().Run(DriverCall::SetDataPID, arguments, [&](CardModel& card, CallOutcome&) {
        return card.SetDataPID(pid, type, load);
    });
}

QUARLINK_EXPORT GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length)
{
    return SimulatorHost::Instance().Run(DriverCall::GetDataPIDMAC, to_string(pid),
                                         [&](CardModel& card, CallOutcome& outcome) {
                                             const int result = card.GetDataPIDMAC(pid, buffer, length);
                                             if (result == kCardOk)
                                                 outcome.outputs = PidMacsText(buffer, *length);
                                             return result;
                                         });
}

QUARLINK_EXPORT GetStatsCounters(StatsCounters* counters)
{
    return SimulatorHost::Instance().Run(DriverCall::GetStatsCounters, "", [&](CardModel& card, CallOutcome& outcome) {
        const int result = card.GetStatsCounters(counters);
        if (result == kCardOk)
            outcome.outputs = CountersText(*counters);
        return result;
    });
}

QUARLINK_EXPORT GetMACAddr(std::uint8_t* mac6)
{
    return SimulatorHost::Instance().Run(DriverCall::GetMACAddr, "", [&](CardModel& card, CallOutcome& outcome) {
        const int result = card.GetMACAddr(mac6);
        if (result == kCardOk)
            outcome.outputs = MacText(mac6);
        return result;
    });
}

QUARLINK_EXPORT GetNetMACAddr(NetMacSetting* setting)
{
    return SimulatorHost::Instance().Run(DriverCall::GetNetMACAddr, "", [&](CardModel& card, CallOutcome& outcome) {
        const int result = card.GetNetMACAddr(setting);
        if (result == kCardOk)
            outcome.outputs = NetMacText(*setting);
        return result;
    });
}

QUARLINK_EXPORT SetNetMACAddr(const NetMacSetting* setting)
{
    const std::string arguments = setting ? NetMacText(*setting) : "null";
    return SimulatorHost::Instance().Run(DriverCall::SetNetMACAddr, arguments,
                                         [&](CardModel& card, CallOutcome&) { return card.SetNetMACAddr(setting); });
}

QUARLINK_EXPORT SetFilterMAC(std::uint8_t* mac6)
{
    return SimulatorHost::Instance().Run(DriverCall::SetFilterMAC, MacText(mac6),
                                         [&](CardModel& card, CallOutcome&) { return card.SetFilterMAC(mac6); });
}
