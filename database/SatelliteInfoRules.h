// The input rules of the Satellite Info dialog: the name and orbital degree of
// a satellite, or only the name of a cable or terrestrial channel.
#pragma once

#include "common/RuleResult.h"

#include <cstdint>
#include <string>
#include <string_view>

constexpr std::size_t kSatelliteNameMaxLength = 31;
constexpr std::size_t kSatelliteDegreeMaxLength = 4;
constexpr std::int32_t kMaxSatelliteDegree = 3600;

enum class SatelliteInfoField { None, Name, Degree };

struct SatelliteInfoCheck {
    bool ok = false;
    MessageRef message;                                    // the error to show when not ok
    SatelliteInfoField focus = SatelliteInfoField::None;   // the control to focus when not ok
};

// The check made at OK, in this order: the name must hold a character other
// than a blank; in channel mode nothing else is asked; the degree text must be
// present and be a number from 0 to 3600. The name is taken as typed: blanks
// around it are kept.
SatelliteInfoCheck CheckSatelliteInfo(std::string_view name, std::string_view degreeText, bool channelMode);

bool IsBlankName(std::string_view name);
bool IsSatelliteDegreeValid(std::int32_t degree);

// The degree the dialog hands back: 0 for an empty text, else its number.
std::int32_t SatelliteDegreeFromText(std::string_view degreeText);
// The text the dialog shows for a stored degree ("%d").
std::string SatelliteDegreeText(std::int32_t degree);
