// The temporary ANSI copy of a UTF-16 language file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// The copy's bytes for a file of L bytes: the text after the 2-byte
// byte-order mark converted to the ANSI code page, cut or padded with zero
// bytes to exactly L / 2 bytes. Text in a single-byte code page thus keeps
// every character and gains one closing zero byte.
std::string ConvertLanguageBytes(std::span<const std::uint8_t> fileBytes);

// Writes the copy of the file at `path` to `path` + `suffix`. On failure
// returns false with the file error's description (at most 255 characters)
// in `errorText`, for the caller's message box; a source that cannot be read
// leaves the copy untouched.
bool ConvertLanguageFile(const std::string& path, const std::string& suffix, std::string& errorText);
