#include "app/win/SystemIcon.h"

#include "framework/UiText.h"

#include <cstring>
#include <cwchar>

CSystemIcon::CSystemIcon()
{
    std::memset(&data, 0, sizeof(data));
}

CSystemIcon::~CSystemIcon()
{
    Remove();
}

namespace {

// Copies as much of the text as the field holds, always terminated.
template <std::size_t N>
void CopyTip(wchar_t (&field)[N], const std::string& text)
{
    const std::wstring wide = WideText(text);
    const std::size_t count = wide.size() < N ? wide.size() : N - 1;
    std::wmemcpy(field, wide.data(), count);
    field[count] = L'\0';
}

}  // namespace

bool CSystemIcon::Create(HWND owner, UINT callbackMessage, const std::string& tooltip, HICON icon, UINT id)
{
    active = 0;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwMajorVersion < 4)
        return false;
    if (owner == nullptr || !IsWindow(owner))
        return false;

    std::memset(&data, 0, sizeof(data));
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = owner;
    data.uID = id;
    data.hIcon = icon;
    data.uCallbackMessage = callbackMessage;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    CopyTip(data.szTip, tooltip);
    active = Shell_NotifyIconW(NIM_ADD, &data) ? 1 : 0;
    iconShown = active != 0;
    return active != 0;
}

bool CSystemIcon::SetIcon(HICON icon)
{
    if (!active)
        return false;
    // The signal poll sets the lock state every two seconds; the shell
    // redraws the icon for every change it is sent.
    if (iconShown && icon == data.hIcon)
        return true;
    data.uFlags = NIF_ICON;
    data.hIcon = icon;
    iconShown = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    return iconShown;
}

bool CSystemIcon::SetIcon(UINT resourceId)
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LOWORD(resourceId)));
    return SetIcon(icon);
}

bool CSystemIcon::SetTip(const std::string& tip)
{
    if (!active)
        return false;
    data.uFlags = NIF_TIP;
    CopyTip(data.szTip, tip);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool CSystemIcon::ShowBalloon(const std::string& title, const std::string& text)
{
    if (!active)
        return false;
    constexpr UINT kBalloonMilliseconds = 10000;
    data.uFlags = NIF_INFO;
    CopyTip(data.szInfoTitle, title);
    CopyTip(data.szInfo, text);
    data.uTimeout = kBalloonMilliseconds;
    data.dwInfoFlags = NIIF_INFO;
    const bool shown = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    data.szInfo[0] = L'\0';   // a later change of the icon or tip shows no balloon again
    return shown;
}

void CSystemIcon::Remove()
{
    if (!active)
        return;
    data.uFlags = 0;
    Shell_NotifyIconW(NIM_DELETE, &data);
    active = 0;
    iconShown = false;
}
