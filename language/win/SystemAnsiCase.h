// The system's case-insensitive comparison of ANSI text. It knows the letters
// of every code page, double-byte ones included, where AnsiEqualNoCase knows
// only ASCII and Latin-1.
#pragma once

#include <string_view>

// Text in the ANSI code page, the one the program's windows and files use.
bool SystemAnsiEqualNoCase(std::string_view a, std::string_view b);

// Text in the given code page.
bool AnsiEqualNoCaseInCodePage(unsigned codePage, std::string_view a, std::string_view b);
