#include "app/win/SystemIcon.h"

#include "framework/UiText.h"

#include <cstring>

CSystemIcon::CSystemIcon()
{
    std::memset(&data, 0, sizeof(data));
}

CSystemIcon::~CSystemIcon()
{
    Remove();
}

bool CSystemIcon::Create(HWND owner, UINT callbackMessage, const char* tooltip, HICON icon, UINT id)
{
    active = 0;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version) && version.dwMajorVersion < 4)
        return false;
    if (owner == nullptr || !IsWindow(owner))
        return false;

    std::memset(&data, 0, sizeof(data));
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    data.hIcon = icon;
    data.uCallbackMessage = callbackMessage;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    lstrcpynA(data.szTip, tooltip != nullptr ? tooltip : "", sizeof(data.szTip));
    active = Shell_NotifyIconA(NIM_ADD, &data) ? 1 : 0;
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
    iconShown = Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
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
    // The record holds ANSI text; the program's texts are UTF-8.
    // A text too long for the record is cut, never the conversion failed.
    std::wstring wide = WideText(tip);
    const auto ansiLength = [&] {
        return WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, "?", nullptr);
    };
    while (!wide.empty() && ansiLength() > static_cast<int>(sizeof(data.szTip)) - 1)
        wide.pop_back();
    const int written = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), data.szTip,
                                            sizeof(data.szTip) - 1, "?", nullptr);
    data.szTip[written > 0 ? written : 0] = '\0';
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void CSystemIcon::Remove()
{
    if (!active)
        return;
    data.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &data);
    active = 0;
    iconShown = false;
}
