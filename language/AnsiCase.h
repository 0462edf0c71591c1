// Case-insensitive comparison of ANSI text.
//
// The fold covers ASCII and the Latin-1 letters (0xC0-0xDE against 0xE0-0xFE,
// without the multiplication and division signs), which is what the system
// comparison does for the Western code page. Other code pages' letters compare
// exactly; double-byte trail bytes in that range may fold, which can only make
// two otherwise different names compare equal.
#pragma once

#include "language/AnsiCaseComparison.h"

#include <cstddef>
#include <string_view>

unsigned char FoldAnsiCase(unsigned char c);

// The text of a fixed-size record field: up to its first zero byte or the
// field's end, whichever comes first.
std::string_view FieldText(const char* field, std::size_t size);

template <std::size_t N>
std::string_view FieldText(const char (&field)[N])
{
    return FieldText(field, N);
}
