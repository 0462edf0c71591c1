// What the Dish, Cable and Terrestrial Setting pages share: the page that
// locks the card runs its lock sequence on the receiver session it was
// handed, for the database's current records.
#pragma once

#include "framework/TabPage.h"
#include "tuning/LockSequence.h"
#include "tuning/TuningSession.h"

class CLockingPage : public CTabPage {
public:
    // switches: the satellite page's switch commands, null on other cards.
    CLockingPage(UINT templateId, const DialogTranslator& translator, TuningSession& session, LockKind kind,
                 SwitchCommandSender* switches = nullptr);

    // The lock of the current transponder or channel; 1 when the card
    // reports it locked.
    int Lock(int silent);
    // The worker of a lock has ended (its notice reached the main dialog).
    void OnLockWorkerDone(std::uint32_t run) { sequence.OnWorkerDone(session, run); }
    // A worker of this page's locks has not been heard of yet.
    bool IsTuning() const { return sequence.IsTuning(); }
    // The last lock of the current records locked, and nothing changed since.
    bool HasLocked() const;
    // The card lost its lock or the dish moved: a kept lock no longer counts.
    void ForgetKeptResult() { sequence.ForgetKeptResult(); }

protected:
    TuningSession& session;

private:
    LockSequence sequence;
};
