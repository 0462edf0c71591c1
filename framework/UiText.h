// Texts on the screen go through the wide-character calls, so that they read
// the same whatever the system's ANSI code page. Language texts arrive as
// UTF-8; a text that is not valid UTF-8 (a path or a name read from a file)
// is taken in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring WideText(std::string_view text);

void SetUiText(HWND window, std::string_view text);
