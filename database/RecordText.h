// Text in the fixed-size name fields of the records. A field read from a file
// written elsewhere need not hold a terminating zero, so reading stops at the
// field's end; writing always leaves at least one zero and clears the rest.
#pragma once

#include "language/AnsiCase.h"  // FieldText

#include <cstddef>
#include <cstring>
#include <string_view>

// Stores at most N - 1 characters of the text; the rest is cut.
template <std::size_t N>
void SetFieldText(char (&field)[N], std::string_view text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size() < N ? text.size() : N - 1);
}
