#include "driver/GatedDriver.h"

#include "driver/DriverGate.h"

#include <chrono>
#include <cstdio>
#include <initializer_list>

namespace {

std::string Decimals(std::initializer_list<long long> values)
{
    std::string text;
    for (long long value : values) {
        if (!text.empty())
            text += ',';
        text += std::to_string(value);
    }
    return text;
}

std::string Hex(std::initializer_list<unsigned> bytes)
{
    std::string text;
    for (unsigned byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", byte & 0xFFu);
        if (!text.empty())
            text += ',';
        text += digits;
    }
    return text;
}

std::string MacText(const std::uint8_t* mac)
{
    if (mac == nullptr)
        return "null";
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::string Fixed(std::initializer_list<double> values)
{
    std::string text;
    for (double value : values) {
        char number[32];
        std::snprintf(number, sizeof number, "%.2f", value);
        if (!text.empty())
            text += ',';
        text += number;
    }
    return text;
}

std::string NetMacText(const NetMacSetting* setting)
{
    return setting == nullptr ? "null" : std::to_string(setting->enable) + "," + MacText(setting->address);
}

int ValueOr(const int* value) { return value != nullptr ? *value : 0; }

}   // namespace

template <class Call, class Outputs>
int GatedDriver::Through(std::string_view name, Kind kind, const std::string& arguments, Call call, Outputs outputs)
{
    const bool periodic = kind == Kind::Periodic;
    std::string_view why;
    if (!passage.Enter(name, why)) {
        if (DriverCallObserver* observer = passage.Observer())
            observer->OnDriverCallRefused(name, arguments, why);
        return kDriverCallRefused;
    }
    if (DriverCallObserver* observer = passage.Observer())
        observer->OnDriverCallStarted(name, arguments, periodic);
    const auto started = std::chrono::steady_clock::now();
    const int result = call();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    // Reported after the gate is free again, so that an observer that takes
    // its time never holds the card up.
    DriverCallRecord record{name, arguments, result, std::string(), took, periodic};
    if (result == 0)
        record.outputs = outputs();
    passage.Leave();
    if (DriverCallObserver* observer = passage.Observer())
        observer->OnDriverCallReturned(record);
    return result;
}

template <class Call>
int GatedDriver::Through(std::string_view name, Kind kind, const std::string& arguments, Call call)
{
    return Through(name, kind, arguments, call, [] { return std::string(); });
}

int GatedDriver::InitDise()
{
    return Through("InitDise", Kind::Command, "", [&] { return card.InitDise(); });
}

int GatedDriver::ReleaseDise()
{
    return Through("ReleaseDise", Kind::Command, "", [&] { return card.ReleaseDise(); });
}

int GatedDriver::GetCIInfo()
{
    // The answer is the card's kind, not a success flag.
    int kind = 0;
    const int passed = Through(
        "GetCIInfo", Kind::Command, "",
        [&] {
            kind = card.GetCIInfo();
            return 0;
        },
        [&] { return std::to_string(kind); });
    return passed == kDriverCallRefused ? kDriverCallRefused : kind;
}

int GatedDriver::GetDeviceType()
{
    int type = 0;
    const int passed = Through(
        "GetDeviceType", Kind::Periodic, "",
        [&] {
            type = card.GetDeviceType();
            return 0;
        },
        [&] { return std::to_string(type); });
    return passed == kDriverCallRefused ? kDriverCallRefused : type;
}

int GatedDriver::GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked)
{
    return Through(
        "GetSignalStrAndQu", Kind::Periodic, "",
        [&] { return card.GetSignalStrAndQu(strength, quality, reserved1, reserved2, locked); },
        [&] {
            return Decimals(
                {ValueOr(strength), ValueOr(quality), ValueOr(reserved1), ValueOr(reserved2), ValueOr(locked)});
        });
}

int GatedDriver::LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7)
{
    return Through("LockChannel3", Kind::Command, Decimals({a1, a2, a3, a4, a5, a6, a7}),
                   [&] { return card.LockChannel3(a1, a2, a3, a4, a5, a6, a7); });
}

int GatedDriver::StartFilter()
{
    return Through("StartFilter", Kind::Command, "", [&] { return card.StartFilter(); });
}

int GatedDriver::StopFilter()
{
    return Through("StopFilter", Kind::Command, "", [&] { return card.StopFilter(); });
}

int GatedDriver::SetDataPID(std::uint16_t pid, std::uint8_t type, int load)
{
    return Through("SetDataPID", Kind::Command, Decimals({pid, type, load}),
                   [&] { return card.SetDataPID(pid, type, load); });
}

int GatedDriver::GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length)
{
    return Through(
        "GetDataPIDMAC", Kind::Periodic, Decimals({pid}), [&] { return card.GetDataPIDMAC(pid, buffer, length); },
        [&] {
            if (buffer == nullptr || length == nullptr)
                return std::string();
            const std::size_t count = *length / 6 < kPidMacBufferSize / 6 ? *length / 6 : kPidMacBufferSize / 6;
            std::string text = std::to_string(*length);
            for (std::size_t i = 0; i < count; ++i)
                text += (i == 0 ? ":" : ",") + MacText(buffer + 6 * i);
            return text;
        });
}

int GatedDriver::GetStatsCounters(StatsCounters* counters)
{
    return Through(
        "GetStatsCounters", Kind::Periodic, "", [&] { return card.GetStatsCounters(counters); },
        [&] {
            if (counters == nullptr)
                return std::string();
            return Decimals({counters->bytesReceived, counters->bytesError, counters->bytesTotal,
                             counters->packetsReceived, counters->packetsError, counters->packetsTotal,
                             counters->speed});
        });
}

int GatedDriver::GetMACAddr(std::uint8_t* mac6)
{
    return Through(
        "GetMACAddr", Kind::Command, "", [&] { return card.GetMACAddr(mac6); }, [&] { return MacText(mac6); });
}

int GatedDriver::GetNetMACAddr(NetMacSetting* setting)
{
    return Through(
        "GetNetMACAddr", Kind::Command, "", [&] { return card.GetNetMACAddr(setting); },
        [&] { return NetMacText(setting); });
}

int GatedDriver::SetNetMACAddr(const NetMacSetting* setting)
{
    return Through("SetNetMACAddr", Kind::Command, NetMacText(setting), [&] { return card.SetNetMACAddr(setting); });
}

int GatedDriver::SetFilterMAC(std::uint8_t* mac6)
{
    return Through("SetFilterMAC", Kind::Command, MacText(mac6), [&] { return card.SetFilterMAC(mac6); });
}

int GatedDriver::SetDiseCom1(int tone22k, int reserved1, int reserved2, int lnbPower)
{
    return Through("SetDiseCom1", Kind::Command, Decimals({tone22k, reserved1, reserved2, lnbPower}),
                   [&] { return card.SetDiseCom1(tone22k, reserved1, reserved2, lnbPower); });
}

int GatedDriver::SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data)
{
    return Through("SetDiseCom2", Kind::Command, Hex({framing, address, command, data}),
                   [&] { return card.SetDiseCom2(framing, address, command, data); });
}

int GatedDriver::GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation)
{
    // 1 means the satellite cannot be reached; the results are filled in all the same.
    return Through(
        "GotoSat", Kind::Command, Fixed({degree, longitude, latitude}),
        [&] { return card.GotoSat(degree, longitude, latitude, angle, elevation); },
        [&] {
            return angle != nullptr && elevation != nullptr ? Fixed({*angle, *elevation}) : std::string();
        });
}

int GatedDriver::GotoSatPosition(std::uint8_t position)
{
    return Through("GotoSatPosition", Kind::Command, Decimals({position}),
                   [&] { return card.GotoSatPosition(position); });
}

int GatedDriver::StoreSatPosition(std::uint8_t position)
{
    return Through("StoreSatPosition", Kind::Command, Decimals({position}),
                   [&] { return card.StoreSatPosition(position); });
}

int GatedDriver::DriveEast()
{
    return Through("DriveEast", Kind::Command, "", [&] { return card.DriveEast(); });
}
int GatedDriver::DriveWest()
{
    return Through("DriveWest", Kind::Command, "", [&] { return card.DriveWest(); });
}
int GatedDriver::StopMotor()
{
    return Through("StopMotor", Kind::Command, "", [&] { return card.StopMotor(); });
}
int GatedDriver::GotoZero()
{
    return Through("GotoZero", Kind::Command, "", [&] { return card.GotoZero(); });
}
int GatedDriver::SetEastLimit()
{
    return Through("SetEastLimit", Kind::Command, "", [&] { return card.SetEastLimit(); });
}
int GatedDriver::SetWestLimit()
{
    return Through("SetWestLimit", Kind::Command, "", [&] { return card.SetWestLimit(); });
}
int GatedDriver::CancelLimit()
{
    return Through("CancelLimit", Kind::Command, "", [&] { return card.CancelLimit(); });
}
int GatedDriver::EnableLimit()
{
    return Through("EnableLimit", Kind::Command, "", [&] { return card.EnableLimit(); });
}
