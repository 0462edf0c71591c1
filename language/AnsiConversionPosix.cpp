#include "language/AnsiConversion.h"

#include <iterator>

namespace {

// Code page 1252 bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined stand for the control characters of the same value, as the
// system's table has them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToCp1252(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < std::size(kHighControls); ++i) {
        if (kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return ' ';
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}   // namespace

std::string Utf16ToAnsi(std::u16string_view units)
{
    std::string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        // A pair is one character outside the code page: one blank.
        if (IsHighSurrogate(units[i]) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            text.push_back(' ');
            ++i;
            continue;
        }
        text.push_back(ToCp1252(units[i]));
    }
    return text;
}

std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage)
{
    const bool western = codePage == 0 || codePage == 1252;
    std::u16string units;
    units.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x80)
            units.push_back(c);
        else if (!western)
            units.push_back(u'\uFFFD');
        else
            units.push_back(c >= 0xA0 ? static_cast<char16_t>(c) : kHighControls[c - 0x80]);
    }
    return units;
}
