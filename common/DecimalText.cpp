#include "common/DecimalText.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}   // namespace

std::optional<std::uint64_t> ParseDigits64(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
    }
    return value;
}

std::optional<std::uint32_t> ParseDigits(std::string_view text)
{
    const std::optional<std::uint64_t> value = ParseDigits64(text);
    if (!value)
        return std::nullopt;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(*value, std::numeric_limits<std::uint32_t>::max()));
}

std::int32_t ReadLeadingNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsCSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        value = std::min<std::int64_t>(value * 10 + (text[at] - '0'), limit);
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, limit - 1));
}

std::string FormatUnsigned(std::int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<std::uint32_t>(value));
    return text;
}
