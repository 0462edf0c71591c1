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

void SaveMotorSettings(SettingsStore& store, const MotorTexts& shown, MotorSettings& settings)
{
    store.SetString(kMotorLongitudeValue, shown.longitude);
    store.SetString(kMotorLatitudeValue, shown.latitude);
    store.SetString(kMotorDegreeValue, shown.angle);
    store.SetString(kMotorElevationValue, shown.elevation);
    store.SetDword(kMotorLimitValue, settings.limitFlags);
    store.SetDword(kDishPositionIndexValue, static_cast<std::uint32_t>(settings.positionIndex));
    store.SetDword(kDishPositionsValue, settings.storedPositions);
    settings.longitude = shown.longitude;
    settings.latitude = shown.latitude;
}

MotorTexts SavedMotorTexts(const MotorSettings& settings)
{
    return MotorTexts{settings.longitude, settings.latitude, settings.angle, settings.elevation};
}
