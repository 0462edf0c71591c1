#include "language/LanguageTexts.h"

#include "language/AnsiCase.h"
#include "language/AnsiConversion.h"
#include "language/DialogLanguageRules.h"
#include "language/LanguageFile.h"

namespace {

constexpr std::string_view kCopySuffix = ".tmp";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | c >> 6));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | c >> 12));
        text.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | c >> 18));
        text.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::string_view FileName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool EndsWithNoCase(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && AnsiEqualNoCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view units)
{
    std::string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(text, kReplacement);
        } else {
            AppendUtf8(text, unit);
        }
    }
    return text;
}

unsigned LanguageFileCodePage(std::string_view path)
{
    const std::string_view name = FileName(path);
    if (AnsiEqualNoCase(name, "Simplified Chinese.txt"))
        return 936;
    if (AnsiEqualNoCase(name, "Traditional Chinese.txt"))
        return 950;
    return 0;
}

std::string LanguageTextSource(const std::string& path)
{
    if (!EndsWithNoCase(path, kCopySuffix))
        return path;
    return path.substr(0, path.size() - kCopySuffix.size());
}

std::string DecodeLanguageBytes(std::string_view bytes, unsigned codePage)
{
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xFE)
        return Utf16ToUtf8(CodePageToUtf16(bytes, codePage));
    std::u16string units((bytes.size() - 2) / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 + 2 * i]);
        const auto high = static_cast<unsigned char>(bytes[3 + 2 * i]);
        units[i] = static_cast<char16_t>(low | high << 8);
    }
    return Utf16ToUtf8(units);
}

std::optional<std::string> ReadLanguageTexts(const std::string& path)
{
    const std::optional<std::string> bytes = ReadLanguageFileText(path);
    if (!bytes)
        return std::nullopt;
    const std::string source = LanguageTextSource(path);
    std::string sourceBytes;
    if (source != path && ReadLanguageText(source, sourceBytes))
        return DecodeLanguageBytes(sourceBytes, LanguageFileCodePage(source));
    return DecodeLanguageBytes(*bytes, LanguageFileCodePage(source));
}
