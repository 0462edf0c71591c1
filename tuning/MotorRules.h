// The dish motor rules without windows: site coordinate checks, which motor
// controls are enabled for a dish type, and the USALS call with its texts.
#pragma once

#include "database/ChannelRecords.h"

#include <cstdint>
#include <string>

class ReceiverDriver;

constexpr int kNoDishType = -1;   // no current satellite

constexpr std::uint32_t kEastLimitSet = 1;
constexpr std::uint32_t kWestLimitSet = 2;
constexpr int kMotorPositionCount = 8;

constexpr double kLongitudeBound = 180.0;
constexpr double kLatitudeBound = 90.0;

inline constexpr char kUnreachableMessageKey[] = "String2";
inline constexpr char kUnreachableMessageText[] = "Can not reach this satellite from your location!";

// Reads [blanks][sign][digits][.digits] and stops at the first character that
// does not fit; 0 when no digits come first.
double ReadDecimal(const std::string& text);

// Digits with at most one inner "." and an optional leading "-" that is
// followed by a digit.
bool IsCoordinateText(const std::string& text);

// The outcome of a longitude or latitude edit losing the focus.
struct CoordinateEdit {
    std::string text;       // what the edit shows afterwards
    bool changed = false;   // accepted and different from the saved text
};

// Empty, malformed or out-of-bound text is replaced by the saved text.
CoordinateEdit CheckCoordinate(const std::string& typed, const std::string& saved, double bound);

struct LimitButtonStates {
    bool setEastLimit = false;
    bool setWestLimit = false;
    bool cancelLimit = false;
};

struct PositionControlStates {
    bool positionList = false;
    bool gotoPosition = false;
    bool setPosition = false;
};

struct MotorControlStates {
    bool longitude = false;
    bool latitude = false;
    bool gotoSatellite = false;
    bool driveEast = false;
    bool driveWest = false;
    bool gotoZero = false;
    LimitButtonStates limits;
    PositionControlStates positions;
};

// What the position controls depend on: the current satellite's dish type
// (kNoDishType without one), the stored positions and the chosen index.
struct PositionInputs {
    int satelliteDishType = kNoDishType;
    std::uint32_t storedPositions = 0;
    int positionIndex = 0;
};

LimitButtonStates LimitButtonRules(std::uint32_t limitFlags);
PositionControlStates PositionControlRules(const PositionInputs& inputs);
MotorControlStates MotorControlRules(int dishType, std::uint32_t limitFlags, const PositionInputs& inputs);

// Both limits set: the moment to send EnableLimit.
bool BothLimitsSet(std::uint32_t limitFlags);

struct UsalsResult {
    bool unreachable = false;    // show kUnreachableMessageText
    std::string angleText;       // "%3.1f"
    std::string elevationText;   // "%3.1f"
};

// GotoSat with the satellite's degree as stored (0 to 3600) and the site's
// coordinates read from their texts; results the driver leaves alone read 0.
UsalsResult GotoSatellite(ReceiverDriver& driver, std::int32_t satelliteDegree, const std::string& longitude,
                          const std::string& latitude);
