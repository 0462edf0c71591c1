#include "database/FileIo.h"

#include "database/FileReplace.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kMaxSizeHint = std::size_t{1} << 30;

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    // The size is only a hint for one allocation (a directory, for one, claims
    // a huge size): it is used once a full chunk was read, within a bound,
    // and reading goes on to the real end.
    long sizeHint = -1;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        sizeHint = std::ftell(file.get());
        std::rewind(file.get());
    }
    std::uint8_t chunk[64 * 1024];
    for (bool first = true;; first = false) {
        const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.get());
        if (first && count == sizeof chunk && sizeHint > 0)
            bytes.reserve(std::min(static_cast<std::size_t>(sizeHint), kMaxSizeHint));
        bytes.insert(bytes.end(), chunk, chunk + count);
        if (count < sizeof chunk)
            return std::ferror(file.get()) == 0;
    }
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = std::fflush(file) == 0;
    // A failed close can mean the data never reached the disk.
    const bool closed = std::fclose(file) == 0;
    if (written && flushed && closed)
        return true;
    std::remove(path.c_str());
    return false;
}

bool WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::string newPath = path + ".new";
    if (!WriteWholeFile(newPath, bytes))
        return false;
    MakeFileWritable(path);
    if (!ReplaceFileAtomically(newPath, path)) {
        std::remove(newPath.c_str());
        return false;
    }
    return true;
}
