#include "language/LanguageTextDecoder.h"

#include "language/AnsiConversion.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view kByteOrderMark = "\xFF\xFE";
constexpr char32_t kReplacement = 0xFFFD;
// UTF-8 bytes one UTF-16 unit can need: a lone surrogate becomes U+FFFD.
constexpr std::size_t kMaxUtf8PerUnit = 3;

char* PutUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | c >> 6);
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | c >> 12);
        *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | c >> 18);
        *out++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char16_t Utf16Unit(char low, char high)
{
    return static_cast<char16_t>(static_cast<unsigned char>(low) | static_cast<unsigned char>(high) << 8);
}

// Where code-page text may be cut: after its last byte below 0x40, or 0. In
// the ANSI code pages, the Chinese ones among them, such a byte is a character
// of its own and never part of a multi-byte one.
std::size_t CharacterBoundary(std::string_view bytes)
{
    const auto last =
        std::find_if(bytes.rbegin(), bytes.rend(), [](char byte) { return static_cast<unsigned char>(byte) < 0x40; });
    return static_cast<std::size_t>(bytes.rend() - last);
}

}   // namespace

LanguageTextDecoder LanguageTextDecoder::ForCodePageText(unsigned codePage)
{
    LanguageTextDecoder decoder(codePage);
    decoder.encoding = Encoding::CodePage;
    return decoder;
}

std::string_view LanguageTextDecoder::Feed(std::string_view bytes)
{
    utf8.clear();
    if (encoding == Encoding::Unknown) {
        const std::size_t taken = std::min(bytes.size(), kByteOrderMark.size() - held.size());
        held.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (held.size() < kByteOrderMark.size())
            return utf8;
        encoding = held == kByteOrderMark ? Encoding::Utf16 : Encoding::CodePage;
        // Code-page text keeps its first bytes, to be decoded with what follows.
        if (encoding == Encoding::Utf16)
            held.clear();
    }
    if (encoding == Encoding::Utf16)
        DecodeUtf16(bytes, false);
    else
        DecodeCodePage(bytes, false);
    return utf8;
}

std::string_view LanguageTextDecoder::Finish()
{
    utf8.clear();
    if (encoding == Encoding::Utf16)
        DecodeUtf16({}, true);
    else
        DecodeCodePage({}, true);
    return utf8;
}

char* LanguageTextDecoder::PutUnit(char* out, char16_t unit)
{
    if (heldHighSurrogate != 0) {
        if (IsLowSurrogate(unit)) {
            const char16_t high = std::exchange(heldHighSurrogate, 0);
            return PutUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
        }
        out = PutHeldSurrogate(out);
    }
    if (IsHighSurrogate(unit)) {
        heldHighSurrogate = unit;
        return out;
    }
    return PutUtf8(out, IsLowSurrogate(unit) ? kReplacement : unit);
}

char* LanguageTextDecoder::PutHeldSurrogate(char* out)
{
    heldHighSurrogate = 0;
    return PutUtf8(out, kReplacement);
}

void LanguageTextDecoder::PutUnits(std::u16string_view units, bool last)
{
    utf8.resize(kMaxUtf8PerUnit * (units.size() + 1));
    char* out = utf8.data();
    for (const char16_t unit : units)
        out = PutUnit(out, unit);
    if (last && heldHighSurrogate != 0)
        out = PutHeldSurrogate(out);
    utf8.resize(static_cast<std::size_t>(out - utf8.data()));
}

void LanguageTextDecoder::DecodeUtf16(std::string_view bytes, bool last)
{
    utf8.resize(kMaxUtf8PerUnit * (bytes.size() / 2 + 2));
    char* out = utf8.data();
    std::size_t next = 0;
    if (!held.empty() && !bytes.empty()) {
        out = PutUnit(out, Utf16Unit(held[0], bytes[0]));
        held.clear();
        next = 1;
    }
    for (; next + 1 < bytes.size(); next += 2) {
        // Most language text is ASCII.
        if (bytes[next + 1] == 0 && static_cast<unsigned char>(bytes[next]) < 0x80 && heldHighSurrogate == 0)
            *out++ = bytes[next];
        else
            out = PutUnit(out, Utf16Unit(bytes[next], bytes[next + 1]));
    }
    if (next < bytes.size())
        held.assign(1, bytes[next]);
    // An odd last byte is dropped; a high surrogate at the end has no partner.
    if (last) {
        held.clear();
        if (heldHighSurrogate != 0)
            out = PutHeldSurrogate(out);
    }
    utf8.resize(static_cast<std::size_t>(out - utf8.data()));
}

void LanguageTextDecoder::DecodeCodePage(std::string_view bytes, bool last)
{
    const std::size_t boundary = last ? bytes.size() : CharacterBoundary(bytes);
    if (boundary == 0 && !last) {
        held.append(bytes);
        return;
    }
    held.append(bytes.substr(0, boundary));
    PutUnits(CodePageToUtf16(held, codePage), last);
    held.assign(bytes.substr(boundary));
}
