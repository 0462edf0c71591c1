#include "simulator/Usals.h"

#include <algorithm>
#include <cmath>

namespace quarlink {

namespace {

constexpr double kEarthToOrbitRadius = 6378.0 / 42164.0;
constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) { return degrees * kPi / 180.0; }

double Degrees(double radians) { return radians * 180.0 / kPi; }

double WrapLongitude(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    if (degrees > 180.0)
        return degrees - 360.0;
    if (degrees <= -180.0)
        return degrees + 360.0;
    return degrees;
}

}   // namespace

DishPointing PointDish(double satelliteLongitude, double siteLongitude, double siteLatitude)
{
    const double delta = Radians(WrapLongitude(satelliteLongitude - siteLongitude));
    const double latitude = Radians(siteLatitude);
    DishPointing pointing;
    pointing.motorAngle =
        Degrees(std::atan2(std::sin(delta), std::cos(delta) - kEarthToOrbitRadius * std::cos(latitude)));
    const double c = std::cos(delta) * std::cos(latitude);
    pointing.elevation = Degrees(std::atan2(c - kEarthToOrbitRadius, std::sqrt(std::max(0.0, 1.0 - c * c))));
    const double sinLatitude = std::sin(latitude);
    if (std::fabs(sinLatitude) < 1e-12)
        pointing.azimuth = delta > 0.0 ? 90.0 : 270.0;
    else
        pointing.azimuth = 180.0 - Degrees(std::atan(std::tan(delta) / sinLatitude));
    return pointing;
}

std::array<std::uint8_t, 2> GotoAngleBytes(double motorAngle)
{
    static constexpr std::uint8_t kSixteenths[10] = {0x0, 0x2, 0x3, 0x5, 0x6, 0x8, 0xA, 0xB, 0xD, 0xE};
    const long tenths = std::lround(std::fabs(motorAngle) * 10.0);
    const auto whole = static_cast<std::uint8_t>((tenths / 10) & 0xFF);
    const std::uint8_t side = motorAngle < 0.0 && tenths != 0 ? 0xD0 : 0xE0;
    return {static_cast<std::uint8_t>(side | (whole >> 4)),
            static_cast<std::uint8_t>(((whole & 0x0F) << 4) | kSixteenths[tenths % 10])};
}

}   // namespace quarlink
