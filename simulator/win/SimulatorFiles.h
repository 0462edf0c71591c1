// Where the simulator finds its configuration and its call log.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quarlink {

// The file named by QUARLINK_INI, else Quarlink.ini beside the library itself.
std::string ConfigurationPath(HMODULE library);
// QUARLINK_LOG, else the configured name; a relative name is taken from the
// configuration's folder. Empty: no log.
std::string LogPath(const std::string& configurationPath, const std::string& configuredName);
// The whole file, or empty with the reason in problem (missing, unreadable, too big).
std::string ReadConfigurationText(const std::string& path, std::size_t maxBytes, std::string& problem);

}   // namespace quarlink
