#include "simulator/win/SimulatorFiles.h"

#include <fstream>
#include <vector>

namespace quarlink {

namespace {

std::string Environment(const char* name)
{
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return {};
    std::vector<char> value(size + 1, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    return length > 0 && length < value.size() ? std::string(value.data(), length) : std::string();
}

std::string ModulePath(HMODULE module)
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::string Folder(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsAbsolute(const std::string& path)
{
    return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() >= 2 && path[1] == ':');
}

}   // namespace

std::string ConfigurationPath(HMODULE library)
{
    const std::string named = Environment("QUARLINK_INI");
    if (!named.empty())
        return named;
    return Folder(ModulePath(library)) + "Quarlink.ini";
}

std::string LogPath(const std::string& configurationPath, const std::string& configuredName)
{
    const std::string named = Environment("QUARLINK_LOG");
    if (!named.empty())
        return named;
    if (configuredName.empty() || IsAbsolute(configuredName))
        return configuredName;
    return Folder(configurationPath) + configuredName;
}

std::string ReadConfigurationText(const std::string& path, std::size_t maxBytes, std::string& problem)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        problem = "cannot be opened; the card has no line-up";
        return {};
    }
    std::string text;
    std::vector<char> chunk(65536);
    while (file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || file.gcount() > 0) {
        text.append(chunk.data(), static_cast<std::size_t>(file.gcount()));
        if (text.size() > maxBytes) {
            problem = "larger than " + std::to_string(maxBytes) + " bytes; ignored";
            return {};
        }
    }
    return text;
}

}   // namespace quarlink
