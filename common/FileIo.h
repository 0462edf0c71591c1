// Whole-file reading and writing with the C library (ANSI paths on Windows).
#pragma once

#include "common/ByteSink.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The longest path the program forms: MAX_PATH less the terminating zero.
inline constexpr std::size_t kLongestFilePath = 259;

// How reading a whole file ended: every byte read; no file at the path (nor
// the folder it names); or a file that could not be opened or read, such as
// one another program holds without sharing or one whose access is refused.
enum class FileReadResult { Read, NoFile, Failed };

// Reads every byte of the file. False when it cannot be opened or read; the
// bytes read so far are then left in `bytes`, and errno tells why.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);
FileReadResult ReadWholeFileResult(const std::string& path, std::vector<std::uint8_t>& bytes);

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

// "<name>.bak" beside the file. Where that would be longer than
// kLongestFilePath, the name before ".bak" is cut so that it fits, or at
// least fits wherever the file's path does; a first character of "$" (or
// "~") keeps a cut name from being the file itself.
std::string BackupFilePath(const std::string& path);

// Copies the file to BackupFilePath(path) in one step (WriteFileReplacing),
// replacing an older backup. True when the copy is in place, and when there
// is no file to keep; false, with an older backup left as it was, when the
// file could not be read whole or the copy not written.
bool KeepBackupCopy(const std::string& path);

// Writes the file's side copy and then puts it in place of the file in one
// step, so that a failure at any point leaves the previous file as it was. A
// read-only file is made writable first.
bool WriteFileReplacing(const std::string& path, const FileFiller& fill);
