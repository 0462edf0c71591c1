#include "simulator/FaultPlan.h"

namespace quarlink {

FaultAction FaultPlan::Take(DriverCall call)
{
    const auto index = static_cast<std::size_t>(call);
    const FaultRule& rule = rules[index];
    const std::uint64_t ordinal = calls[index]++;
    if (ordinal < rule.skip)
        return {};
    if (rule.count != 0 && ordinal - rule.skip >= rule.count)
        return {};
    return {rule.replaceResult, rule.result, rule.delayMs};
}

}   // namespace quarlink
