// The positioner side of the card model: DiSEqC 1.2 commands and USALS.
#include "simulator/CardModel.h"

#include "simulator/OrbitalPosition.h"
#include "simulator/Usals.h"

#include <cmath>

namespace quarlink {

namespace {

bool IsValidSite(double degree, double longitude, double latitude)
{
    return std::isfinite(degree) && std::isfinite(longitude) && std::isfinite(latitude) && degree >= 0.0 &&
           degree <= kFullCircleTenths && std::fabs(longitude) <= 180.0 && std::fabs(latitude) <= 90.0;
}

}   // namespace

int CardModel::MotorCommand(void (Positioner::*command)(std::uint64_t))
{
    if (!open)
        return kCardNotOpen;
    const std::uint64_t now = clock.NowMs();
    AdvanceCounters(now);
    (motor.*command)(now);
    return kCardOk;
}

int CardModel::DriveEast() { return MotorCommand(&Positioner::DriveEast); }

int CardModel::DriveWest() { return MotorCommand(&Positioner::DriveWest); }

int CardModel::StopMotor() { return MotorCommand(&Positioner::Stop); }

int CardModel::GotoZero() { return MotorCommand(&Positioner::GotoZero); }

int CardModel::SetEastLimit() { return MotorCommand(&Positioner::SetEastLimit); }

int CardModel::SetWestLimit() { return MotorCommand(&Positioner::SetWestLimit); }

int CardModel::CancelLimit() { return MotorCommand(&Positioner::CancelLimits); }

int CardModel::EnableLimit() { return MotorCommand(&Positioner::EnableLimits); }

int CardModel::StoreSatPosition(std::uint8_t position)
{
    if (!open)
        return kCardNotOpen;
    return motor.StorePosition(position, clock.NowMs()) ? kCardOk : kCardFailed;
}

// Position 0 is the motor's reference, as in the DiSEqC goto command.
int CardModel::GotoSatPosition(std::uint8_t position)
{
    if (!open)
        return kCardNotOpen;
    if (position > kStoredPositions)
        return kCardFailed;
    const std::uint64_t now = clock.NowMs();
    AdvanceCounters(now);
    if (position == 0) {
        motor.GotoZero(now);
        return kCardOk;
    }
    return motor.GotoPosition(position, now) ? kCardOk : kCardRefused;
}

// The degree is the satellite's orbital position in tenths (west as 3600 -
// tenths). Below the horizon the angles are still reported but the motor
// stays where it is.
int CardModel::GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation)
{
    lastGotoSatFilled = false;
    if (!open)
        return kCardNotOpen;
    if (!angle || !elevation || !IsValidSite(degree, longitude, latitude))
        return kCardFailed;
    const DishPointing pointing = PointDish(LongitudeOfPosition(degree), longitude, latitude);
    *angle = pointing.motorAngle;
    *elevation = pointing.elevation;
    lastGotoSatFilled = true;
    if (!pointing.Reachable())
        return kCardFailed;
    const std::uint64_t now = clock.NowMs();
    AdvanceCounters(now);
    motor.GotoAngle(pointing.motorAngle, now);
    return kCardOk;
}

}   // namespace quarlink
