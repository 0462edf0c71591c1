// A top-level window's size and place kept as four numbers under the
// program's settings key ("<name>Left", "<name>Top", "<name>Width",
// "<name>Height").
#pragma once

#include <windows.h>

// Moves the window to the stored place when one is stored, it is at least
// the window's present size and some of it lies on a monitor; otherwise the
// window stays where it is.
void RestoreWindowPlacement(HWND window, const char* name);
// Stores the window's normal (not minimised or maximised) place.
void SaveWindowPlacement(HWND window, const char* name);
