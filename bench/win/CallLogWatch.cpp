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

namespace {
// Where a line starting with `prefix` begins in `text`, searching from `at`.
size_t FindCall(const std::string& text, const std::string& prefix, size_t at)
{
    if (at == 0 && text.rfind(prefix, 0) == 0)
        return 0;
    const size_t found = text.find("\n" + prefix, at == 0 ? 0 : at - 1);
    return found == std::string::npos ? found : found + 1;
}
}   // namespace

bool CallLogWatch::WaitForCall(const std::string& prefix, unsigned long long from, unsigned timeoutMs) const
{
    return !WaitForCalls({prefix}, from, BenchClock::now(), timeoutMs).empty();
}

std::vector<double> CallLogWatch::WaitForCalls(const std::vector<std::string>& prefixes, unsigned long long from,
                                               BenchClock::time_point start, unsigned timeoutMs) const
{
    std::vector<double> seenAt;
    size_t searchFrom = 0;
    unsigned long long seenSize = from;
    while (seenAt.size() < prefixes.size() && MillisecondsSince(start) < timeoutMs) {
        const unsigned long long size = Size();
        if (size > seenSize) {
            const std::string text = Tail(from);
            size_t at;
            while (seenAt.size() < prefixes.size() &&
                   (at = FindCall(text, prefixes[seenAt.size()], searchFrom)) != std::string::npos) {
                seenAt.push_back(MillisecondsSince(start));
                searchFrom = at + 1;
            }
            seenSize = size;
        }
        if (seenAt.size() < prefixes.size())
            Sleep(1);
    }
    if (seenAt.size() < prefixes.size())
        seenAt.clear();
    return seenAt;
}
