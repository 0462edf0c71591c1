#include "common/FileIo.h"

#include "common/FileReplace.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kMaxSizeHint = std::size_t{1} << 30;
constexpr char kSideName[] = "~save.new";
constexpr char kBackupSuffix[] = ".bak";

FileHandle OpenForReading(const std::string& path)
{
    FileHandle file(std::fopen(path.c_str(), "rb"));
    // Reads go straight into the caller's buffer; a stdio buffer would only
    // add a copy and an allocation per file.
    if (file)
        std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}

bool ReadChunks(std::FILE* file, std::span<std::uint8_t> buffer,
                const std::function<bool(std::span<const std::uint8_t>)>& chunk)
{
    for (;;) {
        const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file);
        if (count > 0 && !chunk(buffer.first(count)))
            return true;
        if (count < buffer.size())
            return std::ferror(file) == 0;
    }
}

class StdioSink : public ByteSink {
public:
    explicit StdioSink(std::FILE* file) : file(file) {}

    bool Write(std::span<const std::uint8_t> bytes) override
    {
        return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }

private:
    std::FILE* file;
};

// After an open failed: nothing at the path. A folder on the way that is a
// file counts as none, as the system reports it on Windows.
bool NoFileThere() { return errno == ENOENT || errno == ENOTDIR; }

// Where the file's name begins: after the folder part, whose last separator
// may be ':' for a drive-relative folder ("C:name").
std::size_t NameStart(const std::string& path)
{
    return path.find_last_of("\\/:") + 1;   // npos + 1 is 0
}

}   // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    return ReadWholeFileResult(path, bytes) == FileReadResult::Read;
}

FileReadResult ReadWholeFileResult(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    FileHandle file = OpenForReading(path);
    if (!file)
        return NoFileThere() ? FileReadResult::NoFile : FileReadResult::Failed;
    // The size is only a hint for one allocation (a directory, for one, claims
    // a huge size): it is used once a full chunk was read, within a bound,
    // and reading goes on to the real end.
    long sizeHint = -1;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        sizeHint = std::ftell(file.get());
        std::rewind(file.get());
    }
    std::uint8_t buffer[64 * 1024];
    const bool read = ReadChunks(file.get(), buffer, [&](std::span<const std::uint8_t> chunk) {
        if (bytes.empty() && chunk.size() == sizeof buffer && sizeHint > 0)
            bytes.reserve(std::min(static_cast<std::size_t>(sizeHint), kMaxSizeHint));
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        return true;
    });
    return read ? FileReadResult::Read : FileReadResult::Failed;
}

bool ReadFileInChunks(const std::string& path, std::span<std::uint8_t> buffer,
                      const std::function<bool(std::span<const std::uint8_t> chunk)>& chunk)
{
    FileHandle file = OpenForReading(path);
    return file && ReadChunks(file.get(), buffer, chunk);
}

bool WriteFileThrough(const std::string& path, const FileFiller& fill)
{
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    // Writers hand over large chunks; stdio's buffer would only split them.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    StdioSink sink(file.get());
    const bool written = fill(sink);
    const bool flushed = std::fflush(file.get()) == 0;
    // A failed close can mean the data never reached the disk.
    const bool closed = std::fclose(file.release()) == 0;
    if (written && flushed && closed)
        return true;
    std::remove(path.c_str());
    return false;
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    return WriteFileThrough(path, [bytes](ByteSink& file) { return file.Write(bytes); });
}

std::string SideFilePath(const std::string& path)
{
    // The folder part keeps the copy on the file's volume, so that putting it
    // in place is a rename.
    const std::size_t nameStart = NameStart(path);
    const std::size_t nameLength = std::max<std::size_t>(path.size() - nameStart, 1);
    std::string side = path.substr(0, nameStart) + std::string(kSideName).substr(0, nameLength);
    if (side == path)
        side[nameStart] = '$';
    return side;
}

std::string BackupFilePath(const std::string& path)
{
    const std::size_t nameStart = NameStart(path);
    const std::string name = path.substr(nameStart);
    const std::size_t suffixLength = sizeof kBackupSuffix - 1;
    const std::size_t room = std::max(kLongestFilePath - std::min(nameStart, kLongestFilePath), name.size());
    std::string backupName = name + kBackupSuffix;
    if (backupName.size() > room) {
        backupName = room > suffixLength ? name.substr(0, room - suffixLength) + kBackupSuffix
                                         : std::string("$bak").substr(0, std::max<std::size_t>(room, 1));
    }
    if (backupName == name)
        backupName[0] = backupName[0] == '$' ? '~' : '$';
    return path.substr(0, nameStart) + backupName;
}

bool KeepBackupCopy(const std::string& path)
{
    FileHandle source = OpenForReading(path);
    if (!source)
        return NoFileThere();
    std::vector<std::uint8_t> buffer(64 * 1024);
    return WriteFileReplacing(BackupFilePath(path), [&](ByteSink& backup) {
        bool written = true;
        const bool read = ReadChunks(source.get(), buffer, [&](std::span<const std::uint8_t> chunk) {
            written = backup.Write(chunk);
            return written;
        });
        return read && written;
    });
}

bool WriteFileReplacing(const std::string& path, const FileFiller& fill)
{
    const std::string newPath = SideFilePath(path);
    if (!WriteFileThrough(newPath, fill))
        return false;
    MakeFileWritable(path);
    if (!ReplaceFileAtomically(newPath, path)) {
        std::remove(newPath.c_str());
        return false;
    }
    return true;
}
