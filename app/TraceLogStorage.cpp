#include "app/TraceLogStorage.h"

#include "common/FileReplace.h"

FileLogStorage::FileLogStorage(std::string logPath, std::string olderLogPath)
    : logPath(std::move(logPath)), olderLogPath(std::move(olderLogPath))
{
}

std::unique_ptr<FileLogStorage> FileLogStorage::InFolder(const std::string& folder)
{
    if (folder.empty())
        return std::make_unique<FileLogStorage>(std::string(), std::string());
    return std::make_unique<FileLogStorage>(folder + kTraceLogName, folder + kOlderTraceLogName);
}

bool FileLogStorage::Rotate() { return !logPath.empty() && ReplaceFileAtomically(logPath, olderLogPath); }
