#include "tuning/win/LockingPage.h"

#include "database/ChannelDatabase.h"

CLockingPage::CLockingPage(UINT templateId, const DialogTranslator& translator, TuningSession& session,
                           CChannelDatabase& database, LockKind kind, SwitchCommandSender* switches)
    : CDatabasePage(templateId, translator, database), session(session),
      sequence(kind, session.Gate(), session.LockNotice(), switches)
{
    session.RegisterLockingPage(this);
}

CLockingPage::~CLockingPage() { session.RegisterLockingPage(nullptr); }

int CLockingPage::Lock(int silent)
{
    sequence.Run(session, database.CurrentSatellite(), database.CurrentTransponder(), silent != 0);
    return session.IsLocked() ? 1 : 0;
}

bool CLockingPage::HasLocked() const
{
    return sequence.HasLocked(database.CurrentSatellite(), database.CurrentTransponder());
}
