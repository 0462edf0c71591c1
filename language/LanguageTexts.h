// Language texts as the windows show them: each file is read in its own
// encoding and its texts are handed on as UTF-8, so that every shipped
// language reads correctly whatever the system's ANSI code page.
//
// The program applies a language through the file it reads: the Chinese file
// itself, or the converted ANSI copy "<file>.tmp" of a UTF-16 file. That copy
// has lost every character its code page lacks, so its texts are taken from
// the UTF-16 file it was made from; the copy still decides whether the
// language can be loaded at all.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The code page a language file is stored in when it is not UTF-16, fixed by
// the language's name: 936 for "Simplified Chinese", 950 for "Traditional
// Chinese", 0 (the system's ANSI code page) for any other file.
unsigned LanguageFileCodePage(std::string_view path);

// Receives the texts in pieces as UTF-8; returns false to stop reading.
using LanguageTextHandler = std::function<bool(std::string_view utf8)>;

// Reads the texts of the language file at `path` through a buffer of
// kLanguageReadChunkSize bytes (language/LanguageFile.h), handing them to
// `piece` as they are decoded. False when `path` cannot be opened. When the
// source of a copy cannot be read, the copy's own text serves. A read error
// ends the texts; what was read before it still counts.
bool StreamLanguageTexts(const std::string& path, const LanguageTextHandler& piece);

// The same texts whole, for a dialog that applies every line; nothing when
// `path` cannot be opened.
std::optional<std::string> ReadLanguageTexts(const std::string& path);
