#include "reception/NumberText.h"

#include <algorithm>
#include <climits>

namespace reception {

namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool IsHexDigit(char c)
{
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool AllHexDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsHexDigit);
}

bool AllDecimalDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsDecimalDigit);
}

std::optional<std::uint32_t> ReadHexAfterPrefix(std::string_view digits)
{
    if (digits.empty() || !IsHexDigit(digits.front()))
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        if (!IsHexDigit(c))
            break;
        value = value * 16u + static_cast<std::uint32_t>(HexDigitValue(c));
    }
    return value;
}

int ReadAtoi(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && IsDecimalDigit(text[at]); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace reception
