// Dish pointing for a polar-mount motor, as a USALS driver computes it from
// the site and the satellite's longitude (spherical Earth, geostationary
// radius 42164 km). Angles in degrees; east and north are positive.
#pragma once

#include <array>
#include <cstdint>

namespace quarlink {

struct DishPointing {
    double motorAngle = 0.0;   // hour angle the motor turns to; negative is west
    double elevation = 0.0;    // negative: below the horizon
    double azimuth = 0.0;      // from north
    bool Reachable() const { return elevation >= 0.0; }
};

DishPointing PointDish(double satelliteLongitude, double siteLongitude, double siteLatitude);

// Data bytes of the positioner's goto-angle command (E0 31 6E HH LL) for a
// motor angle rounded to tenths: HH = E0 (east) or D0 (west) | degrees >> 4,
// LL = (degrees & 0xF) << 4 | sixteenths.
std::array<std::uint8_t, 2> GotoAngleBytes(double motorAngle);

}   // namespace quarlink
