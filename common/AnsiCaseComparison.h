// Whether two ANSI texts are the same but for letter case. Where names are
// compared as the system compares them, the program passes the system's
// comparison; AnsiEqualNoCase (AnsiCase.h) stands in for it without a
// system: tests and tools.
#pragma once

#include <string_view>

using AnsiCaseComparison = bool (*)(std::string_view a, std::string_view b);

bool AnsiEqualNoCase(std::string_view a, std::string_view b);
