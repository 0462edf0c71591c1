// The 28 calls of the receiver driver library, by the names the card
// simulator's configuration and call log use.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quarlink {

enum class DriverCall {
    InitDise,
    ReleaseDise,
    GetCIInfo,
    GetDeviceType,
    GetSignalStrAndQu,
    LockChannel3,
    StartFilter,
    StopFilter,
    SetDataPID,
    GetDataPIDMAC,
    GetStatsCounters,
    GetMACAddr,
    GetNetMACAddr,
    SetNetMACAddr,
    SetFilterMAC,
    SetDiseCom1,
    SetDiseCom2,
    GotoSat,
    GotoSatPosition,
    StoreSatPosition,
    DriveEast,
    DriveWest,
    StopMotor,
    GotoZero,
    SetEastLimit,
    SetWestLimit,
    CancelLimit,
    EnableLimit,
};

constexpr std::size_t kDriverCallCount = static_cast<std::size_t>(DriverCall::EnableLimit) + 1;

std::string_view DriverCallName(DriverCall call);
// Case-insensitive; null for a name that is not one of the 28.
std::optional<DriverCall> FindDriverCall(std::string_view name);

}   // namespace quarlink
