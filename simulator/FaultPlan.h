// Injected driver faults: a call can be made to return a chosen value instead
// of doing its work, or to block for a while first (a hanging driver), for a
// window of its calls.
#pragma once

#include "simulator/DriverCall.h"

#include <array>
#include <cstdint>

namespace quarlink {

struct FaultRule {
    bool replaceResult = false;   // return `result` instead of doing the call
    int result = 0;
    std::uint32_t delayMs = 0;   // block this long before the call
    std::uint32_t skip = 0;      // calls that behave normally first
    std::uint32_t count = 0;     // affected calls after those; 0 = all of them
};

using FaultRules = std::array<FaultRule, kDriverCallCount>;

struct FaultAction {
    bool replaceResult = false;
    int result = 0;
    std::uint32_t delayMs = 0;
};

class FaultPlan {
public:
    explicit FaultPlan(const FaultRules& rules) : rules(rules) {}

    // Counts the call and says what to do with it.
    FaultAction Take(DriverCall call);

private:
    FaultRules rules;
    std::array<std::uint64_t, kDriverCallCount> calls{};
};

}   // namespace quarlink
