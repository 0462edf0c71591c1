// Watching the simulator's call log for a call as soon as it is written. The
// log has no times: the moment its line appears is the measurement.
#pragma once

#include <string>

class CallLogWatch {
public:
    explicit CallLogWatch(std::string path) : path(std::move(path)) {}

    // The log's size now; calls after this point are the ones waited for.
    unsigned long long Size() const;
    // Polls about every millisecond until a line from `from` on starts with
    // `prefix`; false after the timeout.
    bool WaitForCall(const std::string& prefix, unsigned long long from, unsigned timeoutMs) const;

private:
    std::string Tail(unsigned long long from) const;
    std::string path;
};
