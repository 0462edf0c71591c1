// Where the diagnostic log's lines end up: "Lumisat.log" in a folder, with
// "Lumisat.1.log" as the one older file kept beside it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class LogStorage {
public:
    virtual ~LogStorage() = default;
    // The current log's size in bytes; 0 when there is none.
    virtual std::uint64_t CurrentSize() = 0;
    // False when the bytes could not be written.
    virtual bool Append(std::string_view bytes) = 0;
    // Makes the current log the older one (replacing an older one) so that a
    // new log starts; false when it could not.
    virtual bool Rotate() = 0;
};

inline constexpr char kTraceLogName[] = "Lumisat.log";
inline constexpr char kOlderTraceLogName[] = "Lumisat.1.log";

class FolderLogStorage : public LogStorage {
public:
    // `folder` ends in a path separator; an empty folder stores nothing.
    explicit FolderLogStorage(std::string folder);

    std::uint64_t CurrentSize() override;
    bool Append(std::string_view bytes) override;
    bool Rotate() override;

private:
    std::string logPath;
    std::string olderLogPath;
};
