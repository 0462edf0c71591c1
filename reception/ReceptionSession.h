// What the PID page needs from the receiver session that hosts it, beyond
// what every page asks (PageHost).
#pragma once

#include "common/PageHost.h"
#include "reception/MacAddressText.h"
#include "reception/PidPageLink.h"

class ReceptionSession : public virtual PageHost {
public:
    // The PID page; null when it goes.
    virtual void RegisterPidPage(PidPageLink* page) = 0;
    // The address the card's filter was last given, sent again after a re-lock
    // that restores reception.
    virtual void SetFilterMacAddress(const MacAddress& address) = 0;
};
