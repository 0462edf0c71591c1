// A DiSEqC 1.2 dish motor: it turns at a fixed rate, so its angle is worked
// out from the time of the last command. Angles in degrees, east positive.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace quarlink {

constexpr double kMotorMechanicalLimit = 80.0;
constexpr int kStoredPositions = 8;

class Positioner {
public:
    Positioner(double startAngle, double degreesPerSecond);

    double Angle(std::uint64_t nowMs) const;
    bool IsMoving(std::uint64_t nowMs) const;

    // Drive until stopped, a limit or the mechanical end.
    void DriveEast(std::uint64_t nowMs);
    void DriveWest(std::uint64_t nowMs);
    void Stop(std::uint64_t nowMs);
    void GotoAngle(double angle, std::uint64_t nowMs);
    void GotoZero(std::uint64_t nowMs) { GotoAngle(0.0, nowMs); }

    // The limits take the current angle; they hold only while enabled.
    void SetEastLimit(std::uint64_t nowMs);
    void SetWestLimit(std::uint64_t nowMs);
    void EnableLimits(std::uint64_t nowMs);
    void CancelLimits(std::uint64_t nowMs);

    // Positions 1 to 8; false for another number or a position never stored.
    bool StorePosition(int number, std::uint64_t nowMs);
    bool GotoPosition(int number, std::uint64_t nowMs);

private:
    void StartTowards(double target, std::uint64_t nowMs);
    double Clamp(double angle) const;

    double rate;
    double from;
    double target;
    std::uint64_t startMs = 0;
    std::optional<double> eastLimit;
    std::optional<double> westLimit;
    bool limitsOn = false;
    std::array<std::optional<double>, kStoredPositions> stored{};
};

}   // namespace quarlink
