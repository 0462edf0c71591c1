#include "simulator/win/CallLogFile.h"

namespace quarlink {

CallLogFile::~CallLogFile()
{
    if (file)
        std::fclose(file);
}

bool CallLogFile::Open(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (file)
        std::fclose(file);
    // The C runtime opens files shared for reading and writing by others.
    file = std::fopen(path.c_str(), "ab");
    return file != nullptr;
}

void CallLogFile::Write(const std::string& line)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!file)
        return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fputc('\n', file);
    std::fflush(file);
}

}   // namespace quarlink
