#include "bench/win/CallLogWatch.h"

#include "bench/win/BenchProcess.h"

#include <windows.h>

unsigned long long CallLogWatch::Size() const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string CallLogWatch::Tail(unsigned long long from) const
{
    // The simulator appends while we read: open with full sharing.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(from);
    std::string text;
    if (SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) {
        char buffer[16384];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            text.append(buffer, read);
    }
    CloseHandle(file);
    return text;
}

bool CallLogWatch::WaitForCall(const std::string& prefix, unsigned long long from, unsigned timeoutMs) const
{
    const BenchClock::time_point start = BenchClock::now();
    unsigned long long seen = from;
    while (MillisecondsSince(start) < timeoutMs) {
        const unsigned long long size = Size();
        if (size > seen) {
            const std::string text = Tail(from);
            if (text.rfind(prefix, 0) == 0 || text.find("\n" + prefix) != std::string::npos)
                return true;
            seen = size;
        }
        Sleep(1);
    }
    return false;
}
