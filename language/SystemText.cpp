#include "language/SystemText.h"

#include "language/LanguageTextDecoder.h"

std::string AnsiToUtf8(std::string_view text)
{
    LanguageTextDecoder decoder = LanguageTextDecoder::ForCodePageText(0);
    std::string utf8(decoder.Feed(text));
    utf8 += decoder.Finish();
    return utf8;
}
