// File names formed from the installation path. Each must fit the system's
// 260-character path limit; a name that would not fit comes back empty so
// that the file operation fails cleanly instead of touching another file.
#pragma once

#include <string>
#include <vector>

// installPath + name, or empty when it would not fit.
std::string InstallFilePath(const std::string& installPath, const std::string& name);
// "%sHelp\%s.chm"
std::string HelpFilePath(const std::string& installPath, const std::string& language);
// The path with a backslash appended when it does not end in one (empty stays empty).
std::string WithTrailingBackslash(const std::string& path);
// The database file of the card's kind in the installation path.
std::string DatabaseFilePath(const std::string& installPath, int deviceKind);
// The tab captions of the card's kind, in order.
std::vector<std::string> TabCaptions(int deviceKind);
