// The receiver driver library seen by the program's rules. The Windows build
// forwards each call to the vendor library; tests substitute scripted drivers.
// Results follow the library: 0 is success, anything else failure.
#pragma once

#include "driver/DriverRecords.h"

#include <cstdint>

class ReceiverDriver {
public:
    virtual ~ReceiverDriver() = default;

    virtual int InitDise() = 0;
    virtual int ReleaseDise() = 0;
    virtual int GetCIInfo() = 0;
    virtual int GetDeviceType() = 0;
    virtual int GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked) = 0;
    // Satellite: MHz, ksps, polarity, LNB type, LNB power, LNB frequencies 1 and 2.
    // Cable: kHz, ksps, QAM size, 0, 0, 0, 0. Terrestrial: kHz, bandwidth MHz, 0 x5.
    virtual int LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7) = 0;
    virtual int StartFilter() = 0;
    virtual int StopFilter() = 0;
    virtual int SetDataPID(std::uint16_t pid, std::uint8_t type, int load) = 0;
    // buffer holds kPidMacBufferSize bytes; length receives the number of bytes written.
    virtual int GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length) = 0;
    virtual int GetStatsCounters(StatsCounters* counters) = 0;
    virtual int GetMACAddr(std::uint8_t* mac6) = 0;
    virtual int GetNetMACAddr(NetMacSetting* setting) = 0;
    virtual int SetNetMACAddr(const NetMacSetting* setting) = 0;
    virtual int SetFilterMAC(std::uint8_t* mac6) = 0;
    virtual int SetDiseCom1(int tone22k, int reserved1, int reserved2, int lnbPower) = 0;
    virtual int SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data) = 0;
    // Returns 1 when the satellite cannot be reached.
    virtual int GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation) = 0;
    virtual int GotoSatPosition(std::uint8_t position) = 0;
    virtual int StoreSatPosition(std::uint8_t position) = 0;
    virtual int DriveEast() = 0;
    virtual int DriveWest() = 0;
    virtual int StopMotor() = 0;
    virtual int GotoZero() = 0;
    virtual int SetEastLimit() = 0;
    virtual int SetWestLimit() = 0;
    virtual int CancelLimit() = 0;
    virtual int EnableLimit() = 0;
};
