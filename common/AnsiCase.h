// Case-insensitive comparison of ANSI text.
//
// The fold covers ASCII and the Latin-1 letters (0xC0-0xDE against 0xE0-0xFE,
// without the multiplication and division signs), which is what the system
// comparison does for the Western code page. Other code pages' letters compare
// exactly; double-byte trail bytes in that range may fold, which can only make
// two otherwise different names compare equal.
#pragma once

#include "common/AnsiCaseComparison.h"

unsigned char FoldAnsiCase(unsigned char c);
