// Conversions between UTF-16 and the system's code pages. Windows asks the
// system; elsewhere the Western code page 1252 stands in for the ANSI code page.
#pragma once

#include <string>
#include <string_view>

// To the ANSI code page; a character the code page cannot represent becomes a blank.
std::string Utf16ToAnsi(std::u16string_view units);

// From `codePage`, 0 standing for the ANSI code page. Elsewhere than on
// Windows only code page 1252 is known: the bytes above 0x7F of any other
// become U+FFFD.
std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage);
