#include "framework/UiText.h"

#include <climits>

namespace {

std::wstring Convert(UINT codePage, DWORD flags, std::string_view text)
{
    const int count = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, flags, text.data(), count, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int written = MultiByteToWideChar(codePage, flags, text.data(), count, wide.data(), size);
    wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return wide;
}

}   // namespace

std::wstring WideText(std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return std::wstring();
    std::wstring wide = Convert(CP_UTF8, MB_ERR_INVALID_CHARS, text);
    return wide.empty() ? Convert(CP_ACP, 0, text) : wide;
}

void SetUiText(HWND window, std::string_view text) { SetWindowTextW(window, WideText(text).c_str()); }
