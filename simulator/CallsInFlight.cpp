#include "simulator/CallsInFlight.h"

#include "simulator/CallLogFormat.h"

#include <algorithm>

namespace quarlink {

std::string CallsInFlight::Begin(DriverCall call)
{
    std::vector<std::string_view> others;
    for (DriverCall other : calls)
        others.push_back(DriverCallName(other));
    calls.push_back(call);
    return others.empty() ? std::string() : OverlapRemark(DriverCallName(call), others);
}

void CallsInFlight::End(DriverCall call)
{
    const auto found = std::find(calls.begin(), calls.end(), call);
    if (found != calls.end())
        calls.erase(found);
}

}   // namespace quarlink
