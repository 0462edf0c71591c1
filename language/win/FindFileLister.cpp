#include "language/win/FindFileLister.h"

#include <windows.h>

std::vector<DirectoryEntry> FindFileLister::List(const std::string& pattern) const
{
    std::vector<DirectoryEntry> entries;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}
