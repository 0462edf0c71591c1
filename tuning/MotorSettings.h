// The dish motor values kept under the program's settings key.
#pragma once

#include "common/SettingsStore.h"
#include "tuning/MotorRules.h"

#include <cstdint>
#include <string>

inline constexpr char kMotorLongitudeValue[] = "Motor Longitude";
inline constexpr char kMotorLatitudeValue[] = "Motor Latitude";
inline constexpr char kMotorDegreeValue[] = "Motor Degree";
inline constexpr char kMotorElevationValue[] = "Motor Elevation";
inline constexpr char kMotorLimitValue[] = "Motor Limit";
inline constexpr char kDishPositionsValue[] = "DishPosInfo";
inline constexpr char kDishPositionIndexValue[] = "CurDishID";

// The page's copies of the stored values. The four texts are the saved ones
// that a rejected longitude or latitude falls back to.
struct MotorSettings {
    std::string longitude = "11.9";
    std::string latitude = "45.0";
    std::string angle = "-8.1";
    std::string elevation = "38.2";
    std::uint32_t limitFlags = 0;        // kEastLimitSet | kWestLimitSet
    std::uint32_t storedPositions = 0;   // bit n: position n + 1 stored
    std::int32_t positionIndex = 0;      // 0 to 7; the driver counts 1 to 8
};

// What the page's edits show when the settings are saved.
struct MotorTexts {
    std::string longitude;
    std::string latitude;
    std::string angle;
    std::string elevation;
};

// A missing text keeps its value, a missing "Motor Limit" or "CurDishID"
// becomes 0, a missing "DishPosInfo" leaves the mask unchanged. A position
// index outside 0 to 7 counts as missing.
void LoadMotorSettings(SettingsStore& store, MotorSettings& settings);

// A later load (every refresh of the page): the same, except that the limit
// flags and the stored positions keep the page's values. They mirror what
// the motor itself holds since the last Set or Cancel, which a refresh before
// Apply must not undo.
void ReloadMotorSettings(SettingsStore& store, MotorSettings& settings);

// Writes the shown texts and the numbers, then takes the shown longitude and
// latitude as the new saved texts. A failed write does not stop the others;
// the result is false when any failed.
bool SaveMotorSettings(SettingsStore& store, const MotorTexts& shown, MotorSettings& settings);

// The texts the page shows after loading.
MotorTexts SavedMotorTexts(const MotorSettings& settings);
