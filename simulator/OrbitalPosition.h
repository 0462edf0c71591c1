// Orbital positions as the simulator and the program's GotoSat degree carry
// them: tenths of a degree east, a west position as 3600 minus its tenths
// (19.2E = 192, 30.0W = 3300). 0 and 3600 are the same place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quarlink {

constexpr int kFullCircleTenths = 3600;

// "192" or "3300" (tenths), or "19.2E" / "30.0W" (degrees with a side).
std::optional<int> ParseOrbitalPosition(std::string_view text);

// "19.2E", "30.0W"; 0 and 180.0 are written with E.
std::string OrbitalPositionText(int tenths);

// Degrees east in (-180, 180]: west positions come out negative.
double LongitudeOfPosition(double tenths);

}   // namespace quarlink
