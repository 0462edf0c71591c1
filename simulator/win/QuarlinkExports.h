// The driver library's 28 calls as the simulator defines them: stdcall and
// undecorated C names, exported under the vendor's names by Quarlink.def.
// The signatures are those of driver/win/Quarlink.h.
#pragma once

#include "driver/DriverRecords.h"

#include <cstdint>

#define QUARLINK_EXPORT extern "C" int __stdcall

QUARLINK_EXPORT InitDise();
QUARLINK_EXPORT ReleaseDise();
QUARLINK_EXPORT GetCIInfo();
QUARLINK_EXPORT GetDeviceType();
QUARLINK_EXPORT GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked);
QUARLINK_EXPORT LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7);
QUARLINK_EXPORT StartFilter();
QUARLINK_EXPORT StopFilter();
QUARLINK_EXPORT SetDataPID(std::uint16_t pid, std::uint8_t type, int load);
QUARLINK_EXPORT GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length);
QUARLINK_EXPORT GetStatsCounters(StatsCounters* counters);
QUARLINK_EXPORT GetMACAddr(std::uint8_t* mac6);
QUARLINK_EXPORT GetNetMACAddr(NetMacSetting* setting);
QUARLINK_EXPORT SetNetMACAddr(const NetMacSetting* setting);
QUARLINK_EXPORT SetFilterMAC(std::uint8_t* mac6);
QUARLINK_EXPORT SetDiseCom1(int tone22k, int reserved1, int reserved2, int lnbPower);
QUARLINK_EXPORT SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data);
QUARLINK_EXPORT GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation);
QUARLINK_EXPORT GotoSatPosition(std::uint8_t position);
QUARLINK_EXPORT StoreSatPosition(std::uint8_t position);
QUARLINK_EXPORT DriveEast();
QUARLINK_EXPORT DriveWest();
QUARLINK_EXPORT StopMotor();
QUARLINK_EXPORT GotoZero();
QUARLINK_EXPORT SetEastLimit();
QUARLINK_EXPORT SetWestLimit();
QUARLINK_EXPORT CancelLimit();
QUARLINK_EXPORT EnableLimit();
