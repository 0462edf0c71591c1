#include "database/SatelliteInfoRules.h"

#include "common/DecimalText.h"

namespace {

constexpr MessageRef kNameEmpty{"String40", "Satellite name can`t be empty"};
constexpr MessageRef kDegreeEmpty{"String41", " Satellite degree value can`t be empty"};
constexpr MessageRef kDegreeOutOfRange{"String14", "Degree value must be 0--3600."};

SatelliteInfoCheck Refuse(MessageRef message, SatelliteInfoField focus) { return {false, message, focus}; }

}   // namespace

bool IsBlankName(std::string_view name) { return name.find_first_not_of(" \t") == std::string_view::npos; }

bool IsSatelliteDegreeValid(std::int32_t degree) { return degree >= 0 && degree <= kMaxSatelliteDegree; }

SatelliteInfoCheck CheckSatelliteInfo(std::string_view name, std::string_view degreeText, bool channelMode)
{
    if (IsBlankName(name))
        return Refuse(kNameEmpty, SatelliteInfoField::Name);
    if (channelMode)
        return {true, {}, SatelliteInfoField::None};
    if (degreeText.empty())
        return Refuse(kDegreeEmpty, SatelliteInfoField::Degree);
    // The edit takes digits only, but pasted text can hold anything else.
    const auto degree = ParseDigits(degreeText);
    if (!degree || *degree > static_cast<std::uint32_t>(kMaxSatelliteDegree))
        return Refuse(kDegreeOutOfRange, SatelliteInfoField::Degree);
    return {true, {}, SatelliteInfoField::None};
}

std::int32_t SatelliteDegreeFromText(std::string_view degreeText) { return ReadLeadingNumber(degreeText); }

std::string SatelliteDegreeText(std::int32_t degree) { return std::to_string(degree); }
