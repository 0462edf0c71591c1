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

struct MainSettings;

// The Help button: the language's help file from the installation path, or
// the English one when it is missing, without an owner window.
void ShowHelpOfButton(const MainSettings& settings);
// F1: the language's help file, owned by the window, as it is named.
void ShowHelpOfF1(HWND owner, const MainSettings& settings);
