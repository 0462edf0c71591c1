// The simulator's optional call log: lines appended and flushed one at a
// time, so that a test can read the file while the program runs.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>

namespace quarlink {

class CallLogFile {
public:
    CallLogFile() = default;
    CallLogFile(const CallLogFile&) = delete;
    CallLogFile& operator=(const CallLogFile&) = delete;
    ~CallLogFile();

    // False when the file cannot be opened; the log then stays off.
    bool Open(const std::string& path);
    bool IsOpen() const { return file != nullptr; }
    // Safe from any thread; a line break is added.
    void Write(const std::string& line);

private:
    std::mutex mutex;
    std::FILE* file = nullptr;
};

}   // namespace quarlink
