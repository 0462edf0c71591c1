#include "tuning/MotorSettings.h"

void LoadMotorSettings(SettingsStore& store, MotorSettings& settings)
{
    store.GetString(kMotorLongitudeValue, settings.longitude);
    store.GetString(kMotorLatitudeValue, settings.latitude);
    store.GetString(kMotorDegreeValue, settings.angle);
    store.GetString(kMotorElevationValue, settings.elevation);

    std::uint32_t limitFlags = 0;
    settings.limitFlags = store.GetDword(kMotorLimitValue, limitFlags) ? limitFlags : 0;
    store.GetDword(kDishPositionsValue, settings.storedPositions);
    std::uint32_t index = 0;
    const bool indexRead = store.GetDword(kDishPositionIndexValue, index);
    settings.positionIndex = indexRead && index < kMotorPositionCount ? static_cast<std::int32_t>(index) : 0;
}

void ReloadMotorSettings(SettingsStore& store, MotorSettings& settings)
{
    const std::uint32_t limitFlags = settings.limitFlags;
    const std::uint32_t storedPositions = settings.storedPositions;
    LoadMotorSettings(store, settings);
    settings.limitFlags = limitFlags;
    settings.storedPositions = storedPositions;
}

bool SaveMotorSettings(SettingsStore& store, const MotorTexts& shown, MotorSettings& settings)
{
    bool written = store.SetString(kMotorLongitudeValue, shown.longitude);
    written &= store.SetString(kMotorLatitudeValue, shown.latitude);
    written &= store.SetString(kMotorDegreeValue, shown.angle);
    written &= store.SetString(kMotorElevationValue, shown.elevation);
    written &= store.SetDword(kMotorLimitValue, settings.limitFlags);
    written &= store.SetDword(kDishPositionIndexValue, static_cast<std::uint32_t>(settings.positionIndex));
    written &= store.SetDword(kDishPositionsValue, settings.storedPositions);
    settings.longitude = shown.longitude;
    settings.latitude = shown.latitude;
    return written;
}

MotorTexts SavedMotorTexts(const MotorSettings& settings)
{
    return MotorTexts{settings.longitude, settings.latitude, settings.angle, settings.elevation};
}
