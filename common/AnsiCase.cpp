#include "common/AnsiCase.h"

#include <cstddef>

unsigned char FoldAnsiCase(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + ('a' - 'A'));
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

bool AnsiEqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAnsiCase(static_cast<unsigned char>(a[i])) != FoldAnsiCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
