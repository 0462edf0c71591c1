// What a gated driver asks of its gate around each call: to pass, and to
// leave. Kept apart from the gate so that the driver's 28 calls and the
// gate's waiting each stay in a file of their own.
#pragma once

#include "driver/DriverCallObserver.h"

#include <string_view>

class CallPassage {
public:
    virtual ~CallPassage() = default;

    // True when the call may go to the card now; otherwise `why` says why not.
    virtual bool Enter(std::string_view name, std::string_view& why) = 0;
    virtual void Leave() = 0;
    // The observer to tell, or null; none once the gate is closed.
    virtual DriverCallObserver* Observer() = 0;
};
