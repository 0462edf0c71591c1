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

namespace quarlink {

std::string HexByte(std::uint8_t byte);
std::string MacText(const std::uint8_t* mac6);                 // "null" for none
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

// The remark logged when LockChannel3 is called while another LockChannel3
// call has not returned yet, which the program must never do.
inline constexpr char kOverlappingLockRemark[] = "LockChannel3 called while another LockChannel3 call is in flight";
// The remark logged when the signal is polled while a LockChannel3 call has
// not returned yet: the program's poll must wait for the lock.
inline constexpr char kPollDuringLockRemark[] = "GetSignalStrAndQu called while a LockChannel3 call is in flight";

} // namespace quarlink
