// Whole-file reading and writing with the C library (ANSI paths on Windows).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Reads every byte of the file. False when it cannot be opened or read; the
// bytes read so far are then left in `bytes`.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// Creates or truncates the file and writes the bytes. False on any failure;
// a file opened but not written whole is removed.
bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Writes the bytes beside the file as "<path>.new" and then puts that copy in
// place of the file in one step, so that a failure at any point leaves the
// previous file as it was. A read-only file is made writable first.
bool WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);
