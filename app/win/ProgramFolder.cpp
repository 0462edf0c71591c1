#include "app/win/ProgramFolder.h"

#include <windows.h>

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // A full buffer means a cut path, which names no folder.
    if (length == 0 || length >= sizeof path)
        return std::string();
    const std::string file(path, length);
    const std::size_t slash = file.find_last_of('\\');
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}
