// Watching the simulator's call log for a call as soon as it is written. The
// log has no times: the moment its line appears is the measurement.
#pragma once

#include <chrono>
#include <string>
#include <vector>

class CallLogWatch {
public:
    explicit CallLogWatch(std::string path) : path(std::move(path)) {}

    // The log's size now; calls after this point are the ones waited for.
    unsigned long long Size() const;
    // Polls about every millisecond until a line from `from` on starts with
    // `prefix`; false after the timeout.
    bool WaitForCall(const std::string& prefix, unsigned long long from, unsigned timeoutMs) const;
    // The same for several calls in their order: the milliseconds from `start`
    // at which each line was first seen. Empty after the timeout.
    std::vector<double> WaitForCalls(const std::vector<std::string>& prefixes, unsigned long long from,
                                     std::chrono::steady_clock::time_point start, unsigned timeoutMs) const;

private:
    std::string Tail(unsigned long long from) const;
    std::string path;
};
