// The two file-system steps of a safe save that the C library cannot do
// portably: FileReplacePosix.cpp and win/FileReplaceWin.cpp implement them,
// and the build takes the one of the system. Paths are ANSI.
#pragma once

#include <string>

// Clears a read-only attribute (grants read and write permission). False when
// the file does not exist or the attribute cannot be changed.
bool MakeFileWritable(const std::string& path);

// Puts `from` in place of `to` in one step, replacing an existing `to`.
bool ReplaceFileAtomically(const std::string& from, const std::string& to);
