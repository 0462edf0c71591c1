// Any bytes as a language file and a key: lines split without overrun; the
// text read in pieces, decoded piece by piece and split as it comes, gives
// the lines of the text decoded and split at once, in UTF-16 and in code
// pages alike; a lookup in the file gives the value of the first line with
// that key; the ANSI copy is half the size.
#include "common/AnsiCase.h"
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/LanguageLines.h"
#include "language/LanguageTextDecoder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

Lines LinesOf(std::string_view text)
{
    Lines lines;
    ForEachLanguageLine(text, CollectInto(lines));
    return lines;
}

// As a lookup reads a file: piece by piece, each decoded and split at once.
Lines DecodedLinesOfPieces(std::string_view bytes, unsigned codePage, std::size_t pieceSize)
{
    Lines lines;
    const LanguageLineHandler collect = CollectInto(lines);
    LanguageTextDecoder decoder(codePage);
    LanguageLineSplitter splitter;
    for (std::size_t start = 0; start < bytes.size(); start += pieceSize)
        splitter.Feed(decoder.Feed(bytes.substr(start, pieceSize)), collect);
    splitter.Feed(decoder.Finish(), collect);
    splitter.Finish(collect);
    return lines;
}

std::string DecodedAtOnce(std::string_view bytes, unsigned codePage)
{
    LanguageTextDecoder decoder(codePage);
    std::string utf8(decoder.Feed(bytes));
    return utf8 += decoder.Finish();
}

std::string FirstValue(const Lines& lines, std::string_view key)
{
    for (const auto& [lineKey, value] : lines) {
        if (!key.empty() && AnsiEqualNoCase(lineKey, key))
            return value;
    }
    return std::string();
}

const std::string& ScratchFile()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("fuzz_language-" + std::to_string(getpid()) + ".txt")).string();
    return path;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::size_t pieceSize = 1 + data[0] / 16;
    const std::string_view key(reinterpret_cast<const char*>(data + 1), keyLength);
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + keyLength), size - 1 - keyLength);

    const Lines lines = LinesOf(text);
    for (const auto& [lineKey, value] : lines) {
        if (lineKey.find('=') != std::string::npos || lineKey.find_first_of("\r\n") != std::string::npos ||
            value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();
    }
    if (lines.size() > text.size())
        std::abort();

    for (const unsigned codePage : {0u, 936u}) {
        const std::string decoded = DecodedAtOnce(text, codePage);
        // At most one UTF-16 unit per byte, three UTF-8 bytes per unit.
        if (decoded.size() > 3 * text.size())
            std::abort();
        if (DecodedLinesOfPieces(text, codePage, pieceSize) != LinesOf(decoded))
            std::abort();
    }

    {
        std::ofstream(ScratchFile(), std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const std::string value = LookupString(ScratchFile(), std::string(key));
    std::filesystem::remove(ScratchFile());
    if (value != FirstValue(LinesOf(DecodedAtOnce(text, 0)), key))
        std::abort();

    if (ConvertLanguageBytes(std::span(data, size)).size() != size / 2)
        std::abort();
    return 0;
}
