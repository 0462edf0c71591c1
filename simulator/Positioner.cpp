#include "simulator/Positioner.h"

#include <algorithm>
#include <cmath>

namespace quarlink {

Positioner::Positioner(double startAngle, double degreesPerSecond)
    : rate(degreesPerSecond > 0.0 ? degreesPerSecond : 1.0),
      from(std::clamp(startAngle, -kMotorMechanicalLimit, kMotorMechanicalLimit)), target(from)
{
}

double Positioner::Angle(std::uint64_t nowMs) const
{
    const double elapsed = nowMs > startMs ? static_cast<double>(nowMs - startMs) / 1000.0 : 0.0;
    const double travelled = rate * elapsed;
    if (std::fabs(target - from) <= travelled)
        return target;
    return target > from ? from + travelled : from - travelled;
}

bool Positioner::IsMoving(std::uint64_t nowMs) const { return Angle(nowMs) != target; }

void Positioner::StartTowards(double newTarget, std::uint64_t nowMs)
{
    from = Angle(nowMs);
    startMs = nowMs;
    target = newTarget;
}

double Positioner::Clamp(double angle) const
{
    angle = std::clamp(angle, -kMotorMechanicalLimit, kMotorMechanicalLimit);
    if (limitsOn && eastLimit)
        angle = std::min(angle, *eastLimit);
    if (limitsOn && westLimit)
        angle = std::max(angle, *westLimit);
    return angle;
}

void Positioner::DriveEast(std::uint64_t nowMs) { StartTowards(Clamp(kMotorMechanicalLimit), nowMs); }

void Positioner::DriveWest(std::uint64_t nowMs) { StartTowards(Clamp(-kMotorMechanicalLimit), nowMs); }

void Positioner::Stop(std::uint64_t nowMs) { StartTowards(Angle(nowMs), nowMs); }

void Positioner::GotoAngle(double angle, std::uint64_t nowMs) { StartTowards(Clamp(angle), nowMs); }

void Positioner::SetEastLimit(std::uint64_t nowMs) { eastLimit = Angle(nowMs); }

void Positioner::SetWestLimit(std::uint64_t nowMs) { westLimit = Angle(nowMs); }

void Positioner::EnableLimits(std::uint64_t nowMs)
{
    limitsOn = true;
    // A drive under way stops at the limit it is heading for.
    StartTowards(Clamp(target), nowMs);
}

void Positioner::CancelLimits(std::uint64_t) { limitsOn = false; }

bool Positioner::StorePosition(int number, std::uint64_t nowMs)
{
    if (number < 1 || number > kStoredPositions)
        return false;
    stored[static_cast<std::size_t>(number - 1)] = Angle(nowMs);
    return true;
}

bool Positioner::GotoPosition(int number, std::uint64_t nowMs)
{
    if (number < 1 || number > kStoredPositions || !stored[static_cast<std::size_t>(number - 1)])
        return false;
    GotoAngle(*stored[static_cast<std::size_t>(number - 1)], nowMs);
    return true;
}

}   // namespace quarlink
