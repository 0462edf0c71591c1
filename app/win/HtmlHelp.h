// HTML Help, loaded from hhctrl.ocx at first use so that the program starts
// without it.
#pragma once

#include <windows.h>

#include <string>

// Returns the cookie (0 when the help system is not available).
DWORD_PTR HtmlHelpInitialize();
void HtmlHelpUninitialize(DWORD_PTR cookie);
void HtmlHelpCloseAll();
// Opens the file's default topic; owner may be null.
HWND HtmlHelpDisplay(HWND owner, const std::string& file);
