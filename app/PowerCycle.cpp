#include "app/PowerCycle.h"

void PowerCycle::Suspending(Clock::time_point)
{
    suspended = true;
    everSuspended = true;
    restorePending = true;
}

bool PowerCycle::Resumed(Clock::time_point now)
{
    if (!suspended)
        return false;
    suspended = false;
    resumedAt = now;
    return true;
}

bool PowerCycle::WithinCardReturnTime(Clock::time_point now) const
{
    return everSuspended && (suspended || now - resumedAt <= kCardReturnTime);
}

bool PowerCycle::RemovalEndsProgram(Clock::time_point now)
{
    if (!WithinCardReturnTime(now))
        return true;
    cardGone = true;
    return false;
}

PowerCycle::Restore PowerCycle::RestoreStep(Clock::time_point now)
{
    if (suspended || !restorePending)
        return Restore::NotNow;
    if (!cardGone)
        return Restore::Now;
    return WithinCardReturnTime(now) ? Restore::WaitCard : Restore::CardLost;
}
