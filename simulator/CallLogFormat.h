// Text of the simulator's call log, one line per driver call:
//   Name(arguments) = result[ -> outputs][ | positioner bus bytes][ # note]
// Integers are decimal, DiSEqC bytes two upper-case hex digits, MAC addresses
// XX-XX-XX-XX-XX-XX, floating-point values with two decimals. Lines starting
// with "#" are remarks of the simulator itself.
#pragma once

#include "driver/DriverRecords.h"
#include "simulator/DriverCall.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quarlink {

std::string HexByte(std::uint8_t byte);
std::string MacText(const std::uint8_t* mac6);   // "null" for none
std::string DecimalText(double value);
std::string JoinArguments(std::initializer_list<std::string> arguments);

// "12:AA-BB-CC-DD-EE-01,AA-BB-CC-DD-EE-02": the byte count, then the addresses.
std::string PidMacsText(const std::uint8_t* buffer, std::uint8_t length);
// The seven counters in record order, speed last.
std::string CountersText(const StatsCounters& counters);
// "1,00-1A-2B-3C-4D-5E": enable flag and address.
std::string NetMacText(const NetMacSetting& setting);

// What a DiSEqC 1.2 positioner receives for a motor call ("E0 31 6B 03"), or
// empty for a call that is not a motor command. position: the call's argument.
std::string PositionerBusText(DriverCall call, std::uint8_t position);
std::string GotoAngleBusText(double motorAngle);

std::string CallLine(std::string_view name, std::string_view arguments, int result, std::string_view outputs,
                     std::string_view bus, std::string_view note);

// The remark on a call that starts while others are in flight, which the
// program must never let happen: "SetDataPID called while LockChannel3 is in
// flight", or with several: "... while LockChannel3, SetDataPID are in flight".
std::string OverlapRemark(std::string_view call, const std::vector<std::string_view>& inFlight);
inline constexpr std::string_view kOverlapRemarkMiddle = " called while ";
inline constexpr std::string_view kOverlapRemarkEnd = " in flight";

// True for a call log line that holds such a remark. Inline: the end-to-end
// tests read the log without the simulator's library.
inline bool IsOverlapRemark(std::string_view line)
{
    return line.substr(0, 2) == "# " && line.find(kOverlapRemarkMiddle) != std::string_view::npos &&
           line.size() >= kOverlapRemarkEnd.size() &&
           line.substr(line.size() - kOverlapRemarkEnd.size()) == kOverlapRemarkEnd;
}

}   // namespace quarlink
