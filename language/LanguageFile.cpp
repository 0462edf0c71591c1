#include "language/LanguageFile.h"

#include "database/FileIo.h"
#include "language/AnsiCase.h"
#include "language/LanguageLines.h"
#include "language/LanguageTexts.h"

#include <cstdint>
#include <vector>

namespace {

// Takes the value of the first line whose key is `key` and stops there.
LanguageLineHandler ValueOfKey(std::string_view key, std::string& value)
{
    return [key, &value](std::string_view lineKey, std::string_view lineValue) {
        if (!AnsiEqualNoCase(lineKey, key))
            return true;
        value.assign(lineValue);
        return false;
    };
}

}  // namespace

bool ReadLanguageText(const std::string& path, std::string& text)
{
    std::vector<std::uint8_t> bytes;
    const bool read = ReadWholeFile(path, bytes);
    text.assign(bytes.begin(), bytes.end());
    return read;
}

void ForEachLanguageLine(std::string_view text,
                         const std::function<bool(std::string_view key, std::string_view value)>& line)
{
    LanguageLineSplitter splitter;
    if (splitter.Feed(text, line))
        splitter.Finish(line);
}

std::string LookupInLanguageText(std::string_view text, std::string_view key)
{
    std::string value;
    if (!key.empty())
        ForEachLanguageLine(text, ValueOfKey(key, value));
    return value;
}

std::string LookupString(const std::string& path, const std::string& key)
{
    std::string value;
    if (key.empty())
        return value;
    // The program looks up every message afresh: reading through one small
    // buffer and stopping at the line keeps that cheap without a cache.
    const LanguageLineHandler match = ValueOfKey(key, value);
    LanguageLineSplitter splitter;
    bool searching = true;
    std::uint8_t buffer[kLanguageReadChunkSize];
    ReadFileInChunks(path, buffer, [&](std::span<const std::uint8_t> chunk) {
        searching = splitter.Feed(std::string_view(reinterpret_cast<const char*>(chunk.data()), chunk.size()), match);
        return searching;
    });
    if (searching)
        splitter.Finish(match);
    return value;
}

std::string Message(const std::string& languageFile, const char* key, const char* englishFallback)
{
    std::string text = LookupInLanguageText(ReadLanguageTexts(languageFile).value_or(std::string()), key ? key : "");
    if (text.empty() && englishFallback)
        text = englishFallback;
    return text;
}
