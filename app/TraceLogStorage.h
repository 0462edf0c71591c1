// Where the diagnostic log's lines end up: "Lumisat.log" in a folder, with
// "Lumisat.1.log" as the one older file kept beside it. Each system writes
// with its own file calls (TraceLogStoragePosix.cpp, win/TraceLogStorageWin.cpp):
// on Windows no C runtime stream is used, whose lock a write stuck on a hung
// disk would hold while the runtime takes it again at the process's exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class LogStorage {
public:
    virtual ~LogStorage() = default;
    // The current log's size in bytes; 0 when there is none.
    virtual std::uint64_t CurrentSize() = 0;
    // Appends the bytes; how many of them were written (all of them on
    // success, fewer when the write failed part way).
    virtual std::size_t Append(std::string_view bytes) = 0;
    // Makes the current log the older one (replacing an older one) so that a
    // new log starts; false when it could not.
    virtual bool Rotate() = 0;
};

inline constexpr char kTraceLogName[] = "Lumisat.log";
inline constexpr char kOlderTraceLogName[] = "Lumisat.1.log";

class FileLogStorage : public LogStorage {
public:
    // An empty log path stores nothing.
    FileLogStorage(std::string logPath, std::string olderLogPath);
    // The two files in `folder`, which ends in a path separator; an empty
    // folder stores nothing.
    static std::unique_ptr<FileLogStorage> InFolder(const std::string& folder);

    std::uint64_t CurrentSize() override;
    std::size_t Append(std::string_view bytes) override;
    bool Rotate() override;

private:
    std::string logPath;
    std::string olderLogPath;
};
