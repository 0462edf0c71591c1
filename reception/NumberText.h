// Number reading of the PID and MAC address fields. The fields are read the
// way the system's string-to-integer conversions read them, so that what a
// user types means the same as it always has.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace reception {

// Reads `digits` as StrToIntEx with hexadecimal support reads "0x" + digits:
// the leading hexadecimal digits (either case), up to the first other
// character, which ends the number. Nothing (the conversion fails) when
// `digits` does not start with a hexadecimal digit, so an empty text or a
// leading blank or sign fails. A text that itself starts with "0x" reads as 0:
// its '0' is a digit and its 'x' ends the number. Digits beyond 32 bits wrap,
// as the 32-bit result of the system conversion does.
std::optional<std::uint32_t> ReadHexAfterPrefix(std::string_view digits);

bool IsHexDigit(char c);
bool IsDecimalDigit(char c);
bool AllHexDigits(std::string_view text);
bool AllDecimalDigits(std::string_view text);

}   // namespace reception
