#include "app/win/ProgramFolder.h"

#include <windows.h>

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    // A full buffer means a cut path, which names no folder.
    if (length == 0 || length >= sizeof path)
        return std::string();
    // Started by a path with "..\" in it, the module's name keeps them: the
    // folder is named as the file system names it.
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD fullLength = GetFullPathNameA(path, sizeof full, full, &name);
    const std::string file =
        fullLength > 0 && fullLength < sizeof full ? std::string(full, fullLength) : std::string(path, length);
    const std::size_t slash = file.find_last_of('\\');
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}
