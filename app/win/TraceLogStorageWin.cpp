#include "app/TraceLogStorage.h"

#include <windows.h>

#include <algorithm>

std::uint64_t FileLogStorage::CurrentSize()
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (logPath.empty() || !GetFileAttributesExA(logPath.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

std::size_t FileLogStorage::Append(std::string_view bytes)
{
    if (logPath.empty())
        return 0;
    // Opened for each batch only: an open file could not be renamed on
    // rotation. Others may read, and even delete, the log meanwhile.
    HANDLE file = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    // A path that names a device or a pipe is written as it comes.
    LARGE_INTEGER none{};
    const bool atEnd = GetFileType(file) != FILE_TYPE_DISK || SetFilePointerEx(file, none, nullptr, FILE_END);
    std::size_t written = 0;
    while (atEnd && written < bytes.size()) {
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        DWORD step = 0;
        if (!WriteFile(file, bytes.data() + written, size, &step, nullptr) || step == 0)
            break;
        written += step;
    }
    CloseHandle(file);
    return written;
}
