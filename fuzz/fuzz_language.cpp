// Any bytes as a language file and a key: lines split without overrun, a
// lookup's value is a suffix of some line, and the ANSI copy is half the size.
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::string_view key(reinterpret_cast<const char*>(data + 1), keyLength);
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + keyLength), size - 1 - keyLength);

    std::size_t lines = 0;
    ForEachLanguageLine(text, [&](std::string_view lineKey, std::string_view value) {
        if (lineKey.find('=') != std::string_view::npos || lineKey.find_first_of("\r\n") != std::string_view::npos ||
            value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            std::abort();
        ++lines;
        return true;
    });
    if (lines > text.size())
        std::abort();

    const std::string value = LookupInLanguageText(text, key);
    if (value.size() > text.size() || (!value.empty() && text.find(value) == std::string_view::npos))
        std::abort();

    if (ConvertLanguageBytes(std::span(data, size)).size() != size / 2)
        std::abort();
    return 0;
}
