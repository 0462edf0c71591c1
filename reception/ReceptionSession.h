// What the PID page needs from the receiver session that hosts it: the state
// its rules read, the card's driver and the two reception timers.
#pragma once

#include "reception/MacAddressText.h"
#include "reception/PidPageHost.h"

class ReceiverDriver;

class ReceptionSession : public PidPageHost {
public:
    virtual ReceiverDriver& Driver() = 0;
    // Before a command: waits for the card within the command's bound; false,
    // and the user was told, when an earlier call still holds it.
    virtual bool AwaitCard() = 0;
    // The address the card's filter was last given, sent again after a re-lock
    // that restores reception.
    virtual void SetFilterMacAddress(const MacAddress& address) = 0;
    // Timer 504 (reception counters) and timer 505 (the MAC column).
    virtual void StartStatisticsTimer() = 0;
    virtual void StopStatisticsTimer() = 0;
    virtual void StartPidMacTimer() = 0;
    virtual void StopPidMacTimer() = 0;
};
