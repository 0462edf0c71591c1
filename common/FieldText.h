// Text in the fixed-size name fields of the records. A field read from a file
// written elsewhere need not hold a terminating zero, so reading stops at the
// field's end; writing always leaves at least one zero and clears the rest.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// The text of a field: up to its first zero byte or the field's end,
// whichever comes first.
inline std::string_view FieldText(const char* field, std::size_t size)
{
    const void* zero = std::memchr(field, 0, size);
    return std::string_view(field, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - field) : size);
}

template <std::size_t N>
std::string_view FieldText(const char (&field)[N])
{
    return FieldText(field, N);
}

// Stores at most N - 1 characters of the text; the rest is cut.
template <std::size_t N>
void SetFieldText(char (&field)[N], std::string_view text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size() < N ? text.size() : N - 1);
}
