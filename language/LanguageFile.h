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

// Reads the file's bytes as they are. False when it cannot be opened or read;
// after a read error `text` holds what was read before it.
bool ReadLanguageText(const std::string& path, std::string& text);

// Calls `line` for each line that holds "=", in file order, until it returns false.
void ForEachLanguageLine(std::string_view text,
                         const std::function<bool(std::string_view key, std::string_view value)>& line);

// The value of the first line whose whole key equals `key` case-insensitively,
// or an empty text. An empty key matches nothing.
std::string LookupInLanguageText(std::string_view text, std::string_view key);

// The same for the file at `path`, read afresh on every call; an empty text
// when the file cannot be opened or the key is empty. After a read error the
// lines read before it still count.
std::string LookupString(const std::string& path, const std::string& key);

// The text for a message box, menu item or label, as UTF-8: the value for
// `key` in the language file's texts (language/LanguageTexts.h), or
// `englishFallback` when that is empty.
std::string Message(const std::string& languageFile, const char* key, const char* englishFallback);
