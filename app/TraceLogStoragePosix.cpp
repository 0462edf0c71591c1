#include "app/TraceLogStorage.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::uint64_t FileLogStorage::CurrentSize()
{
    struct stat status {};
    if (logPath.empty() || stat(logPath.c_str(), &status) != 0 || status.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(status.st_size);
}

std::size_t FileLogStorage::Append(std::string_view bytes)
{
    if (logPath.empty())
        return 0;
    const int file = open(logPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (file < 0)
        return 0;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = write(file, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            break;
        written += static_cast<std::size_t>(step);
    }
    close(file);
    return written;
}
