// Card start and end, signal, tuning and the LNB and switch commands.
#include "simulator/win/QuarlinkExports.h"

#include "simulator/CallLogFormat.h"
#include "simulator/OrbitalPosition.h"
#include "simulator/win/SimulatorHost.h"

#include <string>

using namespace quarlink;
using std::to_string;

QUARLINK_EXPORT InitDise() { return RunPlainCall(DriverCall::InitDise, &CardModel::InitDise); }

QUARLINK_EXPORT ReleaseDise() { return RunPlainCall(DriverCall::ReleaseDise, &CardModel::ReleaseDise); }

QUARLINK_EXPORT GetCIInfo() { return RunPlainCall(DriverCall::GetCIInfo, &CardModel::GetCIInfo); }

QUARLINK_EXPORT GetDeviceType() { return RunPlainCall(DriverCall::GetDeviceType, &CardModel::GetDeviceType); }

QUARLINK_EXPORT GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked)
{
    return SimulatorHost::Instance().Run(DriverCall::GetSignalStrAndQu, "", [&](CardModel& card, CallOutcome& outcome) {
        const int result = card.GetSignalStrAndQu(strength, quality, reserved1, reserved2, locked);
        if (result == kCardOk)
            outcome.outputs =
                JoinArguments({to_string(*strength), to_string(*quality), reserved1 ? to_string(*reserved1) : "null",
                               reserved2 ? to_string(*reserved2) : "null", to_string(*locked)});
        return result;
    });
}

QUARLINK_EXPORT LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7)
{
    const std::string arguments = JoinArguments(
        {to_string(a1), to_string(a2), to_string(a3), to_string(a4), to_string(a5), to_string(a6), to_string(a7)});
    return SimulatorHost::Instance().Run(DriverCall::LockChannel3, arguments,
                                         [&](CardModel& card, CallOutcome& outcome) {
                                             const int result = card.LockChannel3(a1, a2, a3, a4, a5, a6, a7);
                                             outcome.note = card.LastLockDetail();
                                             if (result != kCardNotOpen)
                                                 outcome.busyMs = card.Config().lockTimeMs;
                                             return result;
                                         });
}

QUARLINK_EXPORT SetDiseCom1(int tone22k, int reserved1, int reserved2, int lnbPower)
{
    const std::string arguments =
        JoinArguments({to_string(tone22k), to_string(reserved1), to_string(reserved2), to_string(lnbPower)});
    return SimulatorHost::Instance().Run(DriverCall::SetDiseCom1, arguments, [&](CardModel& card, CallOutcome&) {
        return card.SetDiseCom1(tone22k, reserved1, reserved2, lnbPower);
    });
}

QUARLINK_EXPORT SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data)
{
    const std::string arguments = JoinArguments({HexByte(framing), HexByte(address), HexByte(command), HexByte(data)});
    return SimulatorHost::Instance().Run(
        DriverCall::SetDiseCom2, arguments, [&](CardModel& card, CallOutcome& outcome) {
            const int result = card.SetDiseCom2(framing, address, command, data);
            const int satellite = card.SatelliteInView();
            outcome.note = "in view: " + (satellite >= 0 ? OrbitalPositionText(satellite) : std::string("nothing"));
            return result;
        });
}
