// printf-style formatting into a std::string sized to fit, so that no
// formatting step ever writes into a fixed buffer.
#pragma once

#include <string>

namespace reception {

// The compiler checks the arguments against the format.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Upper-cases the ASCII letters only, as the ANSI upper-casing of the texts
// shown here (hexadecimal digits and separators) does.
std::string ToUpperAscii(std::string text);

}   // namespace reception
