// Decoding a language file's bytes to UTF-8 piece by piece, as the file is
// read: UTF-16 little-endian when the file begins with its byte-order mark,
// else text in a code page. A character whose bytes are split between pieces
// is decoded whole with the next piece, so that any cut of the bytes gives the
// same text as the bytes decoded at once.
#pragma once

#include <string>
#include <string_view>

class LanguageTextDecoder {
public:
    // `codePage` as for CodePageToUtf16 (language/AnsiConversion.h).
    explicit LanguageTextDecoder(unsigned codePage) : codePage(codePage) {}

    // For text known to be in the code page, such as a path: its first bytes
    // are never taken for a byte-order mark.
    static LanguageTextDecoder ForCodePageText(unsigned codePage);

    // The UTF-8 of the characters completed by the next bytes; valid until
    // the next call.
    std::string_view Feed(std::string_view bytes);

    // Ends the file and gives the UTF-8 of what was held back: an odd last
    // byte of UTF-16 is dropped, a high surrogate without its partner becomes
    // U+FFFD, an unfinished code-page character is decoded as the code page
    // decodes it, and a file shorter than the byte-order mark is code-page text.
    std::string_view Finish();

private:
    enum class Encoding { Unknown, Utf16, CodePage };

    // A surrogate without its partner becomes U+FFFD.
    char* PutUnit(char* out, char16_t unit);
    char* PutHeldSurrogate(char* out);
    void PutUnits(std::u16string_view units, bool last);
    void DecodeUtf16(std::string_view bytes, bool last);
    void DecodeCodePage(std::string_view bytes, bool last);

    unsigned codePage;
    Encoding encoding = Encoding::Unknown;
    // Bytes of a character not yet complete; before the encoding is known,
    // the first bytes of the file.
    std::string held;
    char16_t heldHighSurrogate = 0;
    std::string utf8;
};
