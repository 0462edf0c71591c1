// Strict readers for the values of the simulator's configuration: a value is
// taken whole or not at all, so a typing error shows up as a warning instead
// of a silently different card.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarlink {

using MacAddress = std::array<std::uint8_t, 6>;

bool EqualsNoCase(std::string_view a, std::string_view b);

// Decimal with an optional sign, or hexadecimal with "0x".
std::optional<long long> ParseInteger(std::string_view text);
// Decimal fraction with an optional sign; finite values only.
std::optional<double> ParseDecimal(std::string_view text);
// Six pairs of hexadecimal digits joined by "-" or ":".
std::optional<MacAddress> ParseMac(std::string_view text);
// "V" or "R" give 0 (13 V), "H" or "L" give 1 (18 V).
std::optional<int> ParsePolarity(std::string_view text);
// "1", "yes", "on", "true" / "0", "no", "off", "false".
std::optional<bool> ParseSwitch(std::string_view text);

// Words separated by blanks, tabs or commas.
std::vector<std::string_view> SplitWords(std::string_view text);

}   // namespace quarlink
