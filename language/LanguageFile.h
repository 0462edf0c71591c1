// Reading language files: lines of "key=value", looked up one key at a time.
//
// A line ends at CR LF, LF or a lone CR; the line end is not part of the line.
// The key is the text before the first "=", the value everything after it
// (further "=" included); nothing is trimmed. A zero byte ends the line's text
// (the converted copies end in zero bytes). Lines without "=" are skipped.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// A lookup reads the file in pieces of this size, stopping at the line it
// looks for; lines of any length may span pieces.
inline constexpr std::size_t kLanguageReadChunkSize = 16 * 1024;

// Calls `line` for each line that holds "=", in file order, until it returns false.
void ForEachLanguageLine(std::string_view text,
                         const std::function<bool(std::string_view key, std::string_view value)>& line);

// The value, as UTF-8, of the first line whose whole key equals `key`
// case-insensitively in the texts of the language file at `path`
// (language/LanguageTexts.h), read afresh on every call; an empty text when
// there is none, the file cannot be opened or the key is empty.
std::string LookupString(const std::string& path, const std::string& key);

// The text for a message box, menu item or label, as UTF-8: the value for
// `key` in the language file, or `englishFallback` when that is empty.
std::string Message(const std::string& languageFile, const char* key, const char* englishFallback);
