#include "driver/win/QuarlinkDriver.h"

#include "driver/win/Quarlink.h"

int QuarlinkDriver::InitDise() { return ::InitDise(); }
int QuarlinkDriver::ReleaseDise() { return ::ReleaseDise(); }
int QuarlinkDriver::GetCIInfo() { return ::GetCIInfo(); }
int QuarlinkDriver::GetDeviceType() { return ::GetDeviceType(); }
int QuarlinkDriver::GetSignalStrAndQu(int* s, int* q, int* r1, int* r2, int* l)
{
    return ::GetSignalStrAndQu(s, q, r1, r2, l);
}
int QuarlinkDriver::LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7)
{
    return ::LockChannel3(a1, a2, a3, a4, a5, a6, a7);
}
int QuarlinkDriver::StartFilter() { return ::StartFilter(); }
int QuarlinkDriver::StopFilter() { return ::StopFilter(); }
int QuarlinkDriver::SetDataPID(std::uint16_t pid, std::uint8_t type, int load) { return ::SetDataPID(pid, type, load); }
int QuarlinkDriver::GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length)
{
    return ::GetDataPIDMAC(pid, buffer, length);
}
int QuarlinkDriver::GetStatsCounters(StatsCounters* counters) { return ::GetStatsCounters(counters); }
int QuarlinkDriver::GetMACAddr(std::uint8_t* mac6) { return ::GetMACAddr(mac6); }
int QuarlinkDriver::GetNetMACAddr(NetMacSetting* setting) { return ::GetNetMACAddr(setting); }
int QuarlinkDriver::SetNetMACAddr(const NetMacSetting* setting) { return ::SetNetMACAddr(setting); }
int QuarlinkDriver::SetFilterMAC(std::uint8_t* mac6) { return ::SetFilterMAC(mac6); }
int QuarlinkDriver::SetDiseCom1(int tone, int r1, int r2, int power) { return ::SetDiseCom1(tone, r1, r2, power); }
int QuarlinkDriver::SetDiseCom2(std::uint8_t f, std::uint8_t a, std::uint8_t c, std::uint8_t d)
{
    return ::SetDiseCom2(f, a, c, d);
}
int QuarlinkDriver::GotoSat(double deg, double lon, double lat, double* angle, double* elev)
{
    return ::GotoSat(deg, lon, lat, angle, elev);
}
int QuarlinkDriver::GotoSatPosition(std::uint8_t position) { return ::GotoSatPosition(position); }
int QuarlinkDriver::StoreSatPosition(std::uint8_t position) { return ::StoreSatPosition(position); }
int QuarlinkDriver::DriveEast() { return ::DriveEast(); }
int QuarlinkDriver::DriveWest() { return ::DriveWest(); }
int QuarlinkDriver::StopMotor() { return ::StopMotor(); }
int QuarlinkDriver::GotoZero() { return ::GotoZero(); }
int QuarlinkDriver::SetEastLimit() { return ::SetEastLimit(); }
int QuarlinkDriver::SetWestLimit() { return ::SetWestLimit(); }
int QuarlinkDriver::CancelLimit() { return ::CancelLimit(); }
int QuarlinkDriver::EnableLimit() { return ::EnableLimit(); }

ReceiverDriver& TheReceiverDriver()
{
    static QuarlinkDriver driver;
    return driver;
}
