#include "app/SignalEvents.h"

MessageRef SignalEventName(SignalEvent event)
{
    switch (event) {
    case SignalEvent::LockLost: return {"String100", "Lock lost"};
    case SignalEvent::Relocked: return {"String101", "Re-locked"};
    case SignalEvent::NoData: return {"String102", "No data"};
    case SignalEvent::DataAgain: return {"String103", "Data again"};
    case SignalEvent::Sleep: return {"String104", "Sleep"};
    case SignalEvent::Resume: return {"String105", "Resume"};
    }
    return {};
}

std::optional<SignalEvent> LockEvents::Observe(bool locked)
{
    std::optional<SignalEvent> event;
    if (wasLocked && !locked) {
        event = SignalEvent::LockLost;
        lost = true;
    } else if (!wasLocked && locked && lost) {
        event = SignalEvent::Relocked;
        lost = false;
    }
    wasLocked = locked;
    return event;
}
