// The vendor's receiver driver library, linked at load time. All functions use
// stdcall; five are exported under decorated names (see Quarlink.def).
#pragma once

#include "driver/DriverRecords.h"

#include <cstdint>

// The card simulator defines these functions itself (QUARLINK_DEFINING).
#ifdef QUARLINK_DEFINING
#define QUARLINK_API extern "C" int __stdcall
#else
#define QUARLINK_API extern "C" __declspec(dllimport) int __stdcall
#endif

QUARLINK_API InitDise();
QUARLINK_API ReleaseDise();
QUARLINK_API GetCIInfo();
QUARLINK_API GetDeviceType();
QUARLINK_API GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked);
QUARLINK_API LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7);
QUARLINK_API StartFilter();
QUARLINK_API StopFilter();
QUARLINK_API SetDataPID(std::uint16_t pid, std::uint8_t type, int load);
QUARLINK_API GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length);
QUARLINK_API GetStatsCounters(StatsCounters* counters);
QUARLINK_API GetMACAddr(std::uint8_t* mac6);
QUARLINK_API GetNetMACAddr(NetMacSetting* setting);
QUARLINK_API SetNetMACAddr(const NetMacSetting* setting);
QUARLINK_API SetFilterMAC(std::uint8_t* mac6);
QUARLINK_API SetDiseCom1(int tone22k, int reserved1, int reserved2, int lnbPower);
QUARLINK_API SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data);
QUARLINK_API GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation);
QUARLINK_API GotoSatPosition(std::uint8_t position);
QUARLINK_API StoreSatPosition(std::uint8_t position);
QUARLINK_API DriveEast();
QUARLINK_API DriveWest();
QUARLINK_API StopMotor();
QUARLINK_API GotoZero();
QUARLINK_API SetEastLimit();
QUARLINK_API SetWestLimit();
QUARLINK_API CancelLimit();
QUARLINK_API EnableLimit();

#undef QUARLINK_API
