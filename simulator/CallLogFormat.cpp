#include "simulator/CallLogFormat.h"

#include "simulator/Usals.h"

#include <cstdio>

namespace quarlink {

std::string HexByte(std::uint8_t byte)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

std::string MacText(const std::uint8_t* mac6)
{
    if (!mac6)
        return "null";
    char text[24];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac6[0], mac6[1], mac6[2], mac6[3], mac6[4],
                  mac6[5]);
    return text;
}

std::string DecimalText(double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string JoinArguments(std::initializer_list<std::string> arguments)
{
    std::string joined;
    for (const std::string& argument : arguments) {
        if (!joined.empty())
            joined += ',';
        joined += argument;
    }
    return joined;
}

std::string PidMacsText(const std::uint8_t* buffer, std::uint8_t length)
{
    std::string text = std::to_string(length) + ":";
    for (std::size_t at = 0; at + 6 <= length; at += 6) {
        if (at > 0)
            text += ',';
        text += MacText(buffer + at);
    }
    return text;
}

std::string CountersText(const StatsCounters& counters)
{
    char text[192];
    std::snprintf(text, sizeof text, "%lld,%lld,%lld,%lld,%lld,%lld,%ld",
                  static_cast<long long>(counters.bytesReceived), static_cast<long long>(counters.bytesError),
                  static_cast<long long>(counters.bytesTotal), static_cast<long long>(counters.packetsReceived),
                  static_cast<long long>(counters.packetsError), static_cast<long long>(counters.packetsTotal),
                  static_cast<long>(counters.speed));
    return text;
}

std::string NetMacText(const NetMacSetting& setting)
{
    return std::to_string(setting.enable) + "," + MacText(setting.address);
}

std::string PositionerBusText(DriverCall call, std::uint8_t position)
{
    switch (call) {
    case DriverCall::StopMotor: return "E0 31 60";
    case DriverCall::CancelLimit: return "E0 31 63";
    case DriverCall::SetEastLimit: return "E0 31 66";
    case DriverCall::SetWestLimit: return "E0 31 67";
    case DriverCall::DriveEast: return "E0 31 68 00";
    case DriverCall::DriveWest: return "E0 31 69 00";
    case DriverCall::EnableLimit: return "E0 31 6A 00";
    case DriverCall::StoreSatPosition: return "E0 31 6A " + HexByte(position);
    case DriverCall::GotoZero: return "E0 31 6B 00";
    case DriverCall::GotoSatPosition: return "E0 31 6B " + HexByte(position);
    default: return {};
    }
}

std::string GotoAngleBusText(double motorAngle)
{
    const auto bytes = GotoAngleBytes(motorAngle);
    return "E0 31 6E " + HexByte(bytes[0]) + " " + HexByte(bytes[1]);
}

std::string CallLine(std::string_view name, std::string_view arguments, int result, std::string_view outputs,
                     std::string_view bus, std::string_view note)
{
    std::string line;
    line.reserve(name.size() + arguments.size() + outputs.size() + bus.size() + note.size() + 32);
    line.append(name).append("(").append(arguments).append(") = ").append(std::to_string(result));
    if (!outputs.empty())
        line.append(" -> ").append(outputs);
    if (!bus.empty())
        line.append(" | ").append(bus);
    if (!note.empty())
        line.append(" # ").append(note);
    return line;
}

std::string OverlapRemark(std::string_view call, const std::vector<std::string_view>& inFlight)
{
    std::string remark(call);
    remark.append(kOverlapRemarkMiddle);
    for (std::size_t i = 0; i < inFlight.size(); ++i)
        remark.append(i == 0 ? "" : ", ").append(inFlight[i]);
    return remark.append(inFlight.size() == 1 ? " is" : " are").append(kOverlapRemarkEnd);
}

}   // namespace quarlink
