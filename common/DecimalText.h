// Reading numbers out of the text of edit controls. Both readers saturate
// instead of overflowing, so text pasted past an edit's length limit cannot
// wrap into range.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value of a text made of the digits 0 to 9 only; nothing for an empty
// text or any other character. Values above 0xFFFFFFFF read as 0xFFFFFFFF.
std::optional<std::uint32_t> ParseDigits(std::string_view text);
// The same up to 64 bits: values above them read as the largest.
std::optional<std::uint64_t> ParseDigits64(std::string_view text);

// The C library's atol reading: leading white space, an optional sign, then
// the leading digits; 0 when there are none. Saturates at the 32-bit limits.
std::int32_t ReadLeadingNumber(std::string_view text);

// "%u" of the value, the way the pages show unsigned record fields.
std::string FormatUnsigned(std::int32_t value);
