// printf-style formatting into a std::string sized to fit, so that no
// formatting step ever writes into a fixed buffer.
#pragma once

#include <string>

#if defined(__GNUC__)
#define LUMISAT_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define LUMISAT_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

namespace reception {

std::string FormatText(const char* format, ...) LUMISAT_PRINTF_FORMAT(1, 2);

// Upper-cases the ASCII letters only, as the ANSI upper-casing of the texts
// shown here (hexadecimal digits and separators) does.
std::string ToUpperAscii(std::string text);

}  // namespace reception
