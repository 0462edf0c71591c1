#include "language/LanguageFile.h"

#include "common/AnsiCase.h"
#include "language/LanguageLines.h"
#include "language/LanguageTexts.h"

void ForEachLanguageLine(std::string_view text,
                         const std::function<bool(std::string_view key, std::string_view value)>& line)
{
    LanguageLineSplitter splitter;
    if (splitter.Feed(text, line))
        splitter.Finish(line);
}

std::string LookupString(const std::string& path, const std::string& key)
{
    std::string value;
    if (key.empty())
        return value;
    // The program looks up every message afresh: decoding the file piece by
    // piece and stopping at the line keeps that cheap without a cache.
    const LanguageLineHandler match = [&key, &value](std::string_view lineKey, std::string_view lineValue) {
        if (!AnsiEqualNoCase(lineKey, key))
            return true;
        value.assign(lineValue);
        return false;
    };
    LanguageLineSplitter splitter;
    bool searching = true;
    StreamLanguageTexts(path, [&](std::string_view texts) {
        searching = splitter.Feed(texts, match);
        return searching;
    });
    if (searching)
        splitter.Finish(match);
    return value;
}

std::string Message(const std::string& languageFile, const char* key, const char* englishFallback)
{
    std::string text = LookupString(languageFile, key ? key : "");
    if (text.empty() && englishFallback)
        text = englishFallback;
    return text;
}
