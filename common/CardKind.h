// The kind of card, as told by the driver's DeviceKind value: below 5 a
// satellite card, 7 a terrestrial card, any other value a cable card. Cable
// and terrestrial cards keep channels where satellite cards keep satellites.
#pragma once

inline bool IsSatelliteCard(int deviceKind) { return deviceKind < 5; }
inline bool IsTerrestrialCard(int deviceKind) { return deviceKind == 7; }
inline bool IsChannelMode(int deviceKind) { return !IsSatelliteCard(deviceKind); }
