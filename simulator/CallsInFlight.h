// The driver calls that have started and not yet returned. The card's library
// serves one call at a time: a call that starts while another is in flight,
// from whichever thread, is remarked on in the call log.
#pragma once

#include "simulator/DriverCall.h"

#include <string>
#include <vector>

namespace quarlink {

class CallsInFlight {
public:
    // Notes the call as started. The remark on it when others are in flight
    // ("SetDataPID called while LockChannel3 is in flight"), else empty.
    std::string Begin(DriverCall call);
    // Notes that one call of this function returned.
    void End(DriverCall call);

private:
    std::vector<DriverCall> calls;   // in the order they started
};

}   // namespace quarlink
