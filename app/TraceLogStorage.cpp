#include "app/TraceLogStorage.h"

#include "common/FileReplace.h"

#include <cstdio>

FolderLogStorage::FolderLogStorage(std::string folder)
{
    if (folder.empty())
        return;
    logPath = folder + kTraceLogName;
    olderLogPath = folder + kOlderTraceLogName;
}

std::uint64_t FolderLogStorage::CurrentSize()
{
    if (logPath.empty())
        return 0;
    std::FILE* file = std::fopen(logPath.c_str(), "rb");
    if (file == nullptr)
        return 0;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    std::fclose(file);
    return size > 0 ? static_cast<std::uint64_t>(size) : 0;
}

bool FolderLogStorage::Append(std::string_view bytes)
{
    if (logPath.empty())
        return false;
    // Opened for each batch only: an open file could not be renamed on rotation.
    std::FILE* file = std::fopen(logPath.c_str(), "ab");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool FolderLogStorage::Rotate()
{
    return !logPath.empty() && ReplaceFileAtomically(logPath, olderLogPath);
}
