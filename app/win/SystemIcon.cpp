#include "app/win/SystemIcon.h"

#include "framework/UiText.h"

#include <cstring>
#include <cwchar>

CSystemIcon::CSystemIcon() { std::memset(&data, 0, sizeof(data)); }

CSystemIcon::~CSystemIcon() { Remove(); }

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

}   // namespace

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
    CopyTip(data.szTip, tooltip);
    prepared = true;
    return Add();
}

bool CSystemIcon::Add()
{
    if (!prepared)
        return false;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.szInfo[0] = L'\0';
    active = Shell_NotifyIconW(NIM_ADD, &data) ? 1 : 0;
    iconShown = tipShown = active != 0;
    return active != 0;
}

bool CSystemIcon::AddAgain()
{
    if (!prepared)
        return false;
    // The shell that restarted has forgotten it; one that still shows it takes the add as a repeat.
    data.uFlags = 0;
    Shell_NotifyIconW(NIM_DELETE, &data);
    return Add();
}

bool CSystemIcon::EnsureShown()
{
    if (!prepared)
        return false;
    if (active) {
        data.uFlags = NIF_TIP;
        if (Shell_NotifyIconW(NIM_MODIFY, &data))
            return true;
    }
    return AddAgain();
}

bool CSystemIcon::SetIcon(HICON icon)
{
    // The signal poll sets the lock state every two seconds; the shell
    // redraws the icon for every change it is sent.
    if (iconShown && icon == data.hIcon)
        return true;
    data.hIcon = icon;   // kept for an icon added again later
    if (!active)
        return false;
    data.uFlags = NIF_ICON;
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
    decltype(data.szTip) previous;
    std::memcpy(previous, data.szTip, sizeof previous);
    CopyTip(data.szTip, tip);
    // Each lock display sets the tip; every message to the shell lets this
    // thread answer messages sent to it, also in the middle of a lock.
    if (tipShown && std::memcmp(previous, data.szTip, sizeof previous) == 0)
        return true;
    if (!active)
        return false;
    data.uFlags = NIF_TIP;
    tipShown = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    return tipShown;
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
    iconShown = tipShown = false;
}
