// What the driver gate tells about each call it lets through to the card, so
// that a diagnostic log can hold every command, its answer and its time.
// Called on the thread that makes the call, the lock worker's included.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

struct DriverCallRecord {
    std::string_view name;   // the driver function, "LockChannel3"
    std::string arguments;   // "11494,22000,1,1,1,9750,10600"; empty for none
    int result = 0;
    std::string outputs;   // what the call handed back, "71,64,0,0,1"; empty for none
    std::chrono::milliseconds duration{0};
    // A signal poll, a statistics or PID address read: the same answer again
    // says nothing new.
    bool periodic = false;
};

class DriverCallObserver {
public:
    virtual ~DriverCallObserver() = default;

    // Before the call goes to the card: what a call that never returns was.
    virtual void OnDriverCallStarted(std::string_view name, const std::string& arguments, bool periodic) = 0;
    // When the answer arrives, never before.
    virtual void OnDriverCallReturned(const DriverCallRecord& record) = 0;
    // A call the gate did not let through: the card was busy with another
    // call for longer than the caller could wait, or the program is ending.
    virtual void OnDriverCallRefused(std::string_view name, const std::string& arguments, std::string_view why) = 0;
};
