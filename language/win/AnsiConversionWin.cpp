#include "language/AnsiConversion.h"

#include <windows.h>

#include <climits>

std::string Utf16ToAnsi(std::u16string_view units)
{
    if (units.empty() || units.size() > INT_MAX)
        return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int count = static_cast<int>(units.size());
    // Without a default character the system would put "?".
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, " ", nullptr);
    if (size <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(size), '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, wide, count, text.data(), size, " ", nullptr);
    text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return text;
}

std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage)
{
    if (bytes.empty() || bytes.size() > INT_MAX)
        return std::u16string();
    const UINT page = codePage == 0 ? CP_ACP : codePage;
    const int count = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(page, 0, bytes.data(), count, nullptr, 0);
    if (size <= 0)
        return std::u16string();
    std::u16string units(static_cast<std::size_t>(size), u'\0');
    const int written =
        MultiByteToWideChar(page, 0, bytes.data(), count, reinterpret_cast<wchar_t*>(units.data()), size);
    units.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return units;
}
