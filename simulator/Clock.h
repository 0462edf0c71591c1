// Milliseconds for the card model: the steady clock in the library, a clock
// moved by hand in tests, so that timing is reproducible.
#pragma once

#include <chrono>
#include <cstdint>

namespace quarlink {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t NowMs() const = 0;
};

class SteadyClock : public Clock {
public:
    std::uint64_t NowMs() const override
    {
        const auto elapsed = std::chrono::steady_clock::now() - start;
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }

private:
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

class ManualClock : public Clock {
public:
    std::uint64_t NowMs() const override { return now; }
    void Advance(std::uint64_t ms) { now += ms; }

private:
    std::uint64_t now = 0;
};

}   // namespace quarlink
