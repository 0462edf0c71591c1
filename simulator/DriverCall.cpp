#include "simulator/DriverCall.h"

#include "simulator/ConfigValues.h"

#include <array>

namespace quarlink {

namespace {

constexpr std::array<std::string_view, kDriverCallCount> kNames = {
    "InitDise",        "ReleaseDise",      "GetCIInfo",    "GetDeviceType", "GetSignalStrAndQu", "LockChannel3",
    "StartFilter",     "StopFilter",       "SetDataPID",   "GetDataPIDMAC", "GetStatsCounters",  "GetMACAddr",
    "GetNetMACAddr",   "SetNetMACAddr",    "SetFilterMAC", "SetDiseCom1",   "SetDiseCom2",       "GotoSat",
    "GotoSatPosition", "StoreSatPosition", "DriveEast",    "DriveWest",     "StopMotor",         "GotoZero",
    "SetEastLimit",    "SetWestLimit",     "CancelLimit",  "EnableLimit",
};

}   // namespace

std::string_view DriverCallName(DriverCall call) { return kNames[static_cast<std::size_t>(call)]; }

std::optional<DriverCall> FindDriverCall(std::string_view name)
{
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (EqualsNoCase(kNames[i], name))
            return static_cast<DriverCall>(i);
    }
    return std::nullopt;
}

}   // namespace quarlink
