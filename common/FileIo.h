// Whole-file reading and writing with the C library (ANSI paths on Windows).
#pragma once

#include "common/ByteSink.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Reads every byte of the file. False when it cannot be opened or read; the
// bytes read so far are then left in `bytes`.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// Reads the file from its start through `buffer`, handing each filled part
// to `chunk`, until the end, a read error, or `chunk` returns false. Only
// the last part can be shorter than the buffer. False when the file cannot
// be opened or a read error ended it.
bool ReadFileInChunks(const std::string& path, std::span<std::uint8_t> buffer,
                      const std::function<bool(std::span<const std::uint8_t> chunk)>& chunk);

// Fills a file opened for writing; false on any failure.
using FileFiller = std::function<bool(ByteSink& file)>;

// Creates or truncates the file and lets `fill` write it. False on any
// failure; a file opened but not written whole is removed.
bool WriteFileThrough(const std::string& path, const FileFiller& fill);

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

// The copy WriteFileReplacing writes first: "~save.new" in the file's folder,
// cut to the length of the file's own name so that it fits wherever the
// file's path does; "$" replaces the "~" where that would be the file itself.
std::string SideFilePath(const std::string& path);

// Writes the file's side copy and then puts it in place of the file in one
// step, so that a failure at any point leaves the previous file as it was. A
// read-only file is made writable first.
bool WriteFileReplacing(const std::string& path, const FileFiller& fill);
