// The driver gate's reports as lines of the diagnostic log, one per event:
//   Driver: LockChannel3(11494,22000,1,1,1,9750,10600) started
//   Driver: LockChannel3(11494,22000,1,1,1,9750,10600) = 0 in 1503 ms
//   Driver: GetSignalStrAndQu() = 0 -> 71,64,0,0,1 in 2 ms (41 unchanged answers not logged)
//   Driver: SetDataPID(256,2,1) refused: the card is busy
// A call that may take long (LockChannel3, InitDise, ReleaseDise) has a line
// when it starts, so that one that never returns shows; every call has one
// when its answer arrives. A periodic call (signal poll, statistics, PID
// addresses) is logged only when its answer differs from the one last logged
// for the same function and arguments, so that hours fit into the log.
#pragma once

#include "driver/DriverCallObserver.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

inline constexpr char kDriverCallLinePrefix[] = "Driver: ";

class DriverCallLog : public DriverCallObserver {
public:
    // Hands a line to the log; false when the log did not take it (off, or
    // its queue full), so that the line's answer is not taken as logged.
    using LineSink = std::function<bool(const std::string& line)>;

    explicit DriverCallLog(LineSink sink);

    void OnDriverCallStarted(std::string_view name, const std::string& arguments, bool periodic) override;
    void OnDriverCallReturned(const DriverCallRecord& record) override;
    void OnDriverCallRefused(std::string_view name, const std::string& arguments, std::string_view why) override;

private:
    struct LoggedAnswer {
        int result = 0;
        std::string outputs;
        std::uint64_t unchangedSince = 0;   // same answers not logged since
    };

    LineSink sink;
    std::mutex mutex;   // calls return on the lock worker and the window's thread
    // The last logged answer of each periodic call, by "Name(arguments)".
    std::map<std::string, LoggedAnswer, std::less<>> lastAnswers;
};
