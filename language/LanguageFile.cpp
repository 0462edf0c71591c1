#include "language/LanguageFile.h"

#include "database/FileIo.h"
#include "language/AnsiCase.h"

#include <cstdint>
#include <vector>

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
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view content = text.substr(start, end - start);
        content = content.substr(0, content.find('\0'));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++start;
        const std::size_t equals = content.find('=');
        if (equals != std::string_view::npos && !line(content.substr(0, equals), content.substr(equals + 1)))
            return;
    }
}

std::string LookupInLanguageText(std::string_view text, std::string_view key)
{
    std::string result;
    if (key.empty())
        return result;
    ForEachLanguageLine(text, [&](std::string_view lineKey, std::string_view value) {
        if (!AnsiEqualNoCase(lineKey, key))
            return true;
        result.assign(value);
        return false;
    });
    return result;
}

std::string LookupString(const std::string& path, const std::string& key)
{
    if (key.empty())
        return std::string();
    // After a read error the lines read so far still count; a file that
    // cannot be opened gives no text at all.
    std::string text;
    ReadLanguageText(path, text);
    return LookupInLanguageText(text, key);
}

std::string Message(const std::string& languageFile, const char* key, const char* englishFallback)
{
    std::string text = LookupString(languageFile, key ? key : "");
    if (text.empty() && englishFallback)
        text = englishFallback;
    return text;
}
