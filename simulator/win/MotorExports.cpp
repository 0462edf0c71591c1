// The dish positioner: DiSEqC 1.2 commands and USALS.
#include "simulator/win/QuarlinkExports.h"

#include "simulator/CallLogFormat.h"
#include "simulator/OrbitalPosition.h"
#include "simulator/win/SimulatorHost.h"

#include <string>

using namespace quarlink;

namespace {

int RunPositionCall(DriverCall call, std::uint8_t position, int (CardModel::*method)(std::uint8_t))
{
    return SimulatorHost::Instance().Run(call, std::to_string(position), [&](CardModel& card, CallOutcome& outcome) {
        const int result = (card.*method)(position);
        if (result == kCardOk)
            outcome.bus = PositionerBusText(call, position);
        return result;
    });
}

}   // namespace

QUARLINK_EXPORT GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation)
{
    const std::string arguments = JoinArguments({DecimalText(degree), DecimalText(longitude), DecimalText(latitude)});
    return SimulatorHost::Instance().Run(DriverCall::GotoSat, arguments, [&](CardModel& card, CallOutcome& outcome) {
        const int result = card.GotoSat(degree, longitude, latitude, angle, elevation);
        if (!card.LastGotoSatFilled())
            return result;
        outcome.outputs = JoinArguments({DecimalText(*angle), DecimalText(*elevation)});
        if (result == kCardOk)
            outcome.bus = GotoAngleBusText(*angle);
        else
            outcome.note = OrbitalPositionText(static_cast<int>(degree)) + " is below the horizon";
        return result;
    });
}

QUARLINK_EXPORT GotoSatPosition(std::uint8_t position)
{
    return RunPositionCall(DriverCall::GotoSatPosition, position, &CardModel::GotoSatPosition);
}

QUARLINK_EXPORT StoreSatPosition(std::uint8_t position)
{
    return RunPositionCall(DriverCall::StoreSatPosition, position, &CardModel::StoreSatPosition);
}

QUARLINK_EXPORT DriveEast() { return RunPlainCall(DriverCall::DriveEast, &CardModel::DriveEast); }

QUARLINK_EXPORT DriveWest() { return RunPlainCall(DriverCall::DriveWest, &CardModel::DriveWest); }

QUARLINK_EXPORT StopMotor() { return RunPlainCall(DriverCall::StopMotor, &CardModel::StopMotor); }

QUARLINK_EXPORT GotoZero() { return RunPlainCall(DriverCall::GotoZero, &CardModel::GotoZero); }

QUARLINK_EXPORT SetEastLimit() { return RunPlainCall(DriverCall::SetEastLimit, &CardModel::SetEastLimit); }

QUARLINK_EXPORT SetWestLimit() { return RunPlainCall(DriverCall::SetWestLimit, &CardModel::SetWestLimit); }

QUARLINK_EXPORT CancelLimit() { return RunPlainCall(DriverCall::CancelLimit, &CardModel::CancelLimit); }

QUARLINK_EXPORT EnableLimit() { return RunPlainCall(DriverCall::EnableLimit, &CardModel::EnableLimit); }
