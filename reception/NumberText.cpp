#include "reception/NumberText.h"

#include <algorithm>

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

}   // namespace

bool IsHexDigit(char c) { return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

bool AllHexDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsHexDigit); }

bool AllDecimalDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDecimalDigit); }

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

}   // namespace reception
