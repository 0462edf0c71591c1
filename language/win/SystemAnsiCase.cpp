#include "language/win/SystemAnsiCase.h"

#include <windows.h>

#include <climits>
#include <optional>
#include <string>

namespace {

std::optional<std::wstring> Widen(unsigned codePage, std::string_view text)
{
    if (text.empty())
        return std::wstring();
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (count <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    if (MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), count) != count)
        return std::nullopt;
    return wide;
}

}   // namespace

// Converting first, rather than CompareStringA on the user's locale, reads the
// text in the code page it was written in even where the user's locale has
// another one.
bool AnsiEqualNoCaseInCodePage(unsigned codePage, std::string_view a, std::string_view b)
{
    const std::optional<std::wstring> wideA = Widen(codePage, a);
    const std::optional<std::wstring> wideB = Widen(codePage, b);
    if (!wideA || !wideB)
        return a == b;
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA->data(), static_cast<int>(wideA->size()),
                          wideB->data(), static_cast<int>(wideB->size())) == CSTR_EQUAL;
}

bool SystemAnsiEqualNoCase(std::string_view a, std::string_view b) { return AnsiEqualNoCaseInCodePage(CP_ACP, a, b); }
