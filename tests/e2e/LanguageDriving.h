// Choosing a language in a running Lumisat and looking at what it changed.
#pragma once

#include "tests/e2e/Harness.h"

#include <windows.h>

#include <string>
#include <vector>

constexpr int kLanguageCombo = 1010;

// A language file as the program expects it for languages other than
// Chinese: UTF-16 little-endian with a byte-order mark (the text is ASCII).
std::string Utf16LanguageFile(const std::string& asciiText);

// Picks the language in the main dialog's list as the user does; false when
// it is not listed. The handler has run when this returns.
bool ChooseLanguage(HWND mainDialog, const std::string& language);
// Waits until the control below root shows the text.
bool WaitForText(HWND root, int id, const std::string& text);
// Waits for a visible top-level window of the program with this title.
HWND WaitForWindow(const LumisatRun& run, const char* title);
// Sends the hidden frame a menu command (32771 Show/Hide, 32772 Exit, 32773 About).
void PostFrameCommand(const LumisatRun& run, WORD command);
bool FileExists(const std::string& path);
// A window's text as it holds it, in UTF-16 (WM_GETTEXT crosses processes).
std::wstring WideWindowText(HWND window);
// The notification-area menu in UTF-16: opened as a right click on the icon
// does, read and closed again; empty when it did not appear.
std::vector<std::wstring> TrayMenuWideTexts(const LumisatRun& run);
