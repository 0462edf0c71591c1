#include "app/win/WindowPlacement.h"

#include "app/Settings.h"
#include "app/win/RegistryKey.h"

#include <string>

namespace {

std::string ValueName(const char* name, const char* suffix) { return std::string(name) + suffix; }

}   // namespace

void RestoreWindowPlacement(HWND window, const char* name)
{
    CRegistryKey key;
    if (key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_READ) != ERROR_SUCCESS)
        return;
    std::uint32_t left = 0, top = 0, width = 0, height = 0;
    if (!key.GetDword(ValueName(name, "Left").c_str(), left) || !key.GetDword(ValueName(name, "Top").c_str(), top) ||
        !key.GetDword(ValueName(name, "Width").c_str(), width) ||
        !key.GetDword(ValueName(name, "Height").c_str(), height))
        return;
    RECT present{};
    GetWindowRect(window, &present);
    // Stored values are the window's own, but anyone can edit the registry.
    const auto x = static_cast<std::int32_t>(left), y = static_cast<std::int32_t>(top);
    const auto w = static_cast<std::int32_t>(width), h = static_cast<std::int32_t>(height);
    if (w < present.right - present.left || h < present.bottom - present.top || w > 32767 || h > 32767 || x < -32768 ||
        x > 32767 || y < -32768 || y > 32767)
        return;
    const RECT stored{x, y, x + w, y + h};
    if (MonitorFromRect(&stored, MONITOR_DEFAULTTONULL) == nullptr)
        return;
    SetWindowPos(window, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SaveWindowPlacement(HWND window, const char* name)
{
    // The normal place of a minimised or maximised window is in work-area
    // coordinates; the window's own rectangle is in screen coordinates.
    RECT place{};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (IsIconic(window) || IsZoomed(window)) {
        if (!GetWindowPlacement(window, &placement))
            return;
        place = placement.rcNormalPosition;
    } else if (!GetWindowRect(window, &place)) {
        return;
    }
    CRegistryKey key;
    if (key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_WRITE) != ERROR_SUCCESS)
        return;
    key.SetDword(ValueName(name, "Left").c_str(), static_cast<std::uint32_t>(place.left));
    key.SetDword(ValueName(name, "Top").c_str(), static_cast<std::uint32_t>(place.top));
    key.SetDword(ValueName(name, "Width").c_str(), static_cast<std::uint32_t>(place.right - place.left));
    key.SetDword(ValueName(name, "Height").c_str(), static_cast<std::uint32_t>(place.bottom - place.top));
}
