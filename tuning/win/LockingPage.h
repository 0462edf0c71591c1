// What the Dish, Cable and Terrestrial Setting pages share: the page that
// locks the card runs its lock sequence on the receiver session it was
// handed, for the database's current records, and registers with the
// session as the page it locks through.
#pragma once

#include "database/win/DatabasePage.h"
#include "tuning/LockSequence.h"
#include "tuning/LockingPageLink.h"
#include "tuning/TuningSession.h"

class CLockingPage : public CDatabasePage, public LockingPageLink {
public:
    // switches: the satellite page's switch commands, null on other cards.
    CLockingPage(UINT templateId, const DialogTranslator& translator, TuningSession& session,
                 CChannelDatabase& database, LockKind kind, SwitchCommandSender* switches = nullptr);
    ~CLockingPage() override;

    // The lock of the current transponder or channel; 1 when the card
    // reports it locked.
    int Lock(int silent);
    // A worker of this page's locks has not been heard of yet.
    bool IsTuning() const { return sequence.IsTuning(); }

    // LockingPageLink
    void LockCurrent(bool silent) override { Lock(silent ? 1 : 0); }
    void OnLockWorkerDone(std::uint32_t run) override { sequence.OnWorkerDone(session, run); }
    void ForgetKeptResult() override { sequence.ForgetKeptResult(); }
    bool HasLocked() const override;

protected:
    TuningSession& session;

private:
    LockSequence sequence;
};
