// Language texts as the windows show them: each file is read in its own
// encoding and its texts are held as UTF-8, so that every shipped language
// reads correctly whatever the system's ANSI code page.
//
// The program applies a language through the file it reads: the Chinese file
// itself, or the converted ANSI copy "<file>.tmp" of a UTF-16 file. That copy
// has lost every character its code page lacks, so its texts are taken from
// the UTF-16 file it was made from; the copy still decides whether the
// language can be loaded at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

// The code page a language file is stored in when it is not UTF-16, fixed by
// the language's name: 936 for "Simplified Chinese", 950 for "Traditional
// Chinese", 0 (the system's ANSI code page) for any other file.
unsigned LanguageFileCodePage(std::string_view path);

// The file whose texts stand for `path`: for a converted copy "<file>.tmp"
// the UTF-16 file it was made from, else `path` itself.
std::string LanguageTextSource(const std::string& path);

// A file's bytes as UTF-8: UTF-16 little-endian when they begin with its
// byte-order mark (an odd last byte is dropped), else text in `codePage`.
std::string DecodeLanguageBytes(std::string_view bytes, unsigned codePage);

// The texts of the language file at `path`, as UTF-8; nothing when `path`
// cannot be opened. When the source of a copy cannot be read, the copy's own
// text serves. A read error keeps what was read before it.
std::optional<std::string> ReadLanguageTexts(const std::string& path);
