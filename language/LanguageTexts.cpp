#include "language/LanguageTexts.h"

#include "common/AnsiCase.h"
#include "common/FileIo.h"
#include "language/LanguageFile.h"
#include "language/LanguageTextDecoder.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::string_view kCopySuffix = ".tmp";

std::string_view FileName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool EndsWithNoCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && AnsiEqualNoCase(text.substr(text.size() - end.size()), end);
}

// The file whose texts stand for `path`: for a converted copy "<file>.tmp"
// the UTF-16 file it was made from, else `path` itself.
std::string TextSource(const std::string& path)
{
    if (!EndsWithNoCase(path, kCopySuffix))
        return path;
    return path.substr(0, path.size() - kCopySuffix.size());
}

bool CanOpen(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

// Decodes the file at `path` into `piece`. False when nothing of it could be
// read: it did not open or its first read failed.
bool DecodeFile(const std::string& path, unsigned codePage, const LanguageTextHandler& piece)
{
    LanguageTextDecoder decoder(codePage);
    bool read = false;
    bool goOn = true;
    std::uint8_t buffer[kLanguageReadChunkSize];
    const bool whole = ReadFileInChunks(path, buffer, [&](std::span<const std::uint8_t> chunk) {
        read = true;
        goOn = piece(decoder.Feed(std::string_view(reinterpret_cast<const char*>(chunk.data()), chunk.size())));
        return goOn;
    });
    if (!whole && !read)
        return false;
    if (goOn)
        piece(decoder.Finish());
    return true;
}

}   // namespace

unsigned LanguageFileCodePage(std::string_view path)
{
    const std::string_view name = FileName(path);
    if (AnsiEqualNoCase(name, "Simplified Chinese.txt"))
        return 936;
    if (AnsiEqualNoCase(name, "Traditional Chinese.txt"))
        return 950;
    return 0;
}

bool StreamLanguageTexts(const std::string& path, const LanguageTextHandler& piece)
{
    const std::string source = TextSource(path);
    const unsigned codePage = LanguageFileCodePage(source);
    if (source != path) {
        if (!CanOpen(path))
            return false;
        if (DecodeFile(source, codePage, piece))
            return true;
    }
    // Only on failure: a file that opens but cannot be read has no texts and
    // still counts as there.
    return DecodeFile(path, codePage, piece) || CanOpen(path);
}

std::optional<std::string> ReadLanguageTexts(const std::string& path)
{
    std::string texts;
    if (!StreamLanguageTexts(path, [&texts](std::string_view piece) {
            texts.append(piece);
            return true;
        }))
        return std::nullopt;
    return texts;
}
