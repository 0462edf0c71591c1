// What happened to the reception besides the readings, as the signal window
// lists it with its time: a lost lock and its return, data that stopped and
// came again, and the computer's sleep and resume.
#pragma once

#include "common/RuleResult.h"

#include <optional>

enum class SignalEvent { LockLost, Relocked, NoData, DataAgain, Sleep, Resume };

// The event's language key with its English text. The CSV file names events
// by the English text whatever the language.
MessageRef SignalEventName(SignalEvent event);

// Turns the signal monitor's verdict on each reading into events: "Lock lost"
// when a card that counted as locked no longer does, "Re-locked" when it
// counts as locked again after that. The first lock is no event.
class LockEvents {
public:
    std::optional<SignalEvent> Observe(bool locked);

private:
    bool wasLocked = false;
    bool lost = false;
};
