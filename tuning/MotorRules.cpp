#include "tuning/MotorRules.h"

#include "driver/ReceiverDriver.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string MotorNumberText(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%3.1f", value);
    return text;
}

bool IsMotorDish(int dishType) { return dishType == kDishDiseqcMotor || dishType == kDishUsals; }

}   // namespace

double ReadDecimal(const std::string& text)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    const char* first = text.data() + at;
    const char* last = text.data() + text.size();
    // Exponents and hexadecimal forms are not part of a decimal text.
    if (first == last || !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '.'))
        return 0;
    double value = 0;
    if (std::from_chars(first, last, value, std::chars_format::fixed).ec != std::errc())
        return 0;
    return negative ? -value : value;
}

bool IsCoordinateText(const std::string& text)
{
    if (text.empty() || text.front() == '.' || text.back() == '.')
        return false;
    if (text.front() == '-' && (text.size() == 1 || text[1] == '.'))
        return false;
    int points = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.')
            ++points;
        else if (c == '-' && at != 0)
            return false;
        else if (c != '-' && !std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return points <= 1;
}

CoordinateEdit CheckCoordinate(const std::string& typed, const std::string& saved, double bound)
{
    if (!IsCoordinateText(typed) || std::fabs(ReadDecimal(typed)) > bound)
        return CoordinateEdit{saved, false};
    return CoordinateEdit{typed, !SameTextIgnoringCase(typed, saved)};
}

LimitButtonStates LimitButtonRules(std::uint32_t limitFlags)
{
    return LimitButtonStates{(limitFlags & kEastLimitSet) == 0, (limitFlags & kWestLimitSet) == 0, limitFlags != 0};
}

PositionControlStates PositionControlRules(const PositionInputs& inputs)
{
    if (!IsMotorDish(inputs.satelliteDishType))
        return PositionControlStates{};
    const bool indexValid = inputs.positionIndex >= 0 && inputs.positionIndex < kMotorPositionCount;
    const bool stored = indexValid && (inputs.storedPositions >> inputs.positionIndex & 1U) != 0;
    return PositionControlStates{true, stored, true};
}

MotorControlStates MotorControlRules(int dishType, std::uint32_t limitFlags, const PositionInputs& inputs)
{
    MotorControlStates states;
    if (dishType == kDishUsals)
        states.longitude = states.latitude = states.gotoSatellite = true;
    if (IsMotorDish(dishType)) {
        states.driveEast = states.driveWest = states.gotoZero = true;
        states.limits = LimitButtonRules(limitFlags);
    }
    states.positions = PositionControlRules(inputs);
    return states;
}

bool BothLimitsSet(std::uint32_t limitFlags)
{
    return (limitFlags & (kEastLimitSet | kWestLimitSet)) == (kEastLimitSet | kWestLimitSet);
}

UsalsResult GotoSatellite(ReceiverDriver& driver, std::int32_t satelliteDegree, const std::string& longitude,
                          const std::string& latitude)
{
    double angle = 0;
    double elevation = 0;
    const int answer = driver.GotoSat(static_cast<double>(satelliteDegree), ReadDecimal(longitude),
                                      ReadDecimal(latitude), &angle, &elevation);
    return UsalsResult{answer == 1, MotorNumberText(angle), MotorNumberText(elevation)};
}
