#include "simulator/OrbitalPosition.h"

#include "simulator/ConfigValues.h"

#include <cmath>
#include <cstdio>

namespace quarlink {

std::optional<int> ParseOrbitalPosition(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const char side = static_cast<char>(text.back() & ~0x20);
    if (side != 'E' && side != 'W') {
        const auto tenths = ParseInteger(text);
        if (!tenths || *tenths < 0 || *tenths > kFullCircleTenths)
            return std::nullopt;
        return static_cast<int>(*tenths % kFullCircleTenths);
    }
    const auto degrees = ParseDecimal(text.substr(0, text.size() - 1));
    if (!degrees || *degrees < 0.0 || *degrees > 180.0)
        return std::nullopt;
    const int tenths = static_cast<int>(std::lround(*degrees * 10.0));
    return side == 'E' ? tenths : (kFullCircleTenths - tenths) % kFullCircleTenths;
}

std::string OrbitalPositionText(int tenths)
{
    tenths = ((tenths % kFullCircleTenths) + kFullCircleTenths) % kFullCircleTenths;
    const bool west = tenths > kFullCircleTenths / 2;
    const int magnitude = west ? kFullCircleTenths - tenths : tenths;
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d%c", magnitude / 10, magnitude % 10, west ? 'W' : 'E');
    return text;
}

double LongitudeOfPosition(double tenths)
{
    const double degrees = std::fmod(tenths / 10.0, 360.0);
    if (degrees > 180.0)
        return degrees - 360.0;
    if (degrees <= -180.0)
        return degrees + 360.0;
    return degrees;
}

}   // namespace quarlink
