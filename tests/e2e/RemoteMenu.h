// The item texts of a popup menu that another process shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Texts of the menu that the popup menu window (class "#32768") shows, in
// UTF-16, a separator as an empty text; nothing when the menu cannot be read.
// Wine refuses menus of other processes, so the calls are made by threads
// inside the target.
std::optional<std::vector<std::wstring>> PopupMenuWideTexts(HWND menuWindow);
