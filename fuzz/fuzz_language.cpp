// Any bytes as a language file and a key: lines split without overrun, the
// text fed in pieces splits into the same lines as the whole text, a lookup's
// value is a suffix of some line, and the ANSI copy is half the size.
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/LanguageLines.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

LanguageLineHandler CollectInto(Lines& lines)
{
    return [&lines](std::string_view key, std::string_view value) {
        lines.emplace_back(key, value);
        return true;
    };
}

Lines LinesOfPieces(std::string_view text, std::size_t pieceSize)
{
    Lines lines;
    const LanguageLineHandler collect = CollectInto(lines);
    LanguageLineSplitter splitter;
    for (std::size_t start = 0; start < text.size(); start += pieceSize)
        splitter.Feed(text.substr(start, pieceSize), collect);
    splitter.Finish(collect);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::string_view key(reinterpret_cast<const char*>(data + 1), keyLength);
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + keyLength), size - 1 - keyLength);

    Lines lines;
    ForEachLanguageLine(text, CollectInto(lines));
    for (const auto& [lineKey, value] : lines) {
        if (lineKey.find('=') != std::string::npos || lineKey.find_first_of("\r\n") != std::string::npos ||
            value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();
    }
    if (lines.size() > text.size())
        std::abort();
    if (LinesOfPieces(text, 1 + data[0] / 16) != lines)
        std::abort();

    const std::string value = LookupInLanguageText(text, key);
    if (value.size() > text.size() || (!value.empty() && text.find(value) == std::string_view::npos))
        std::abort();

    if (ConvertLanguageBytes(std::span(data, size)).size() != size / 2)
        std::abort();
    return 0;
}
