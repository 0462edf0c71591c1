#include "tuning/win/LockingPage.h"

#include "database/ChannelDatabase.h"

CLockingPage::CLockingPage(UINT templateId, const DialogTranslator& translator, TuningSession& session, LockKind kind,
                           SwitchCommandSender* switches)
    : CTabPage(templateId, translator), session(session), sequence(kind, session.Gate(), session.LockNotice(), switches)
{
}

int CLockingPage::Lock(int silent)
{
    const SatelliteRecord* satellite = database != nullptr ? database->CurrentSatellite() : nullptr;
    const TransponderRecord* transponder = database != nullptr ? database->CurrentTransponder() : nullptr;
    sequence.Run(session, satellite, transponder, silent != 0);
    return session.IsLocked() ? 1 : 0;
}

bool CLockingPage::HasLocked() const
{
    if (database == nullptr)
        return false;
    return sequence.HasLocked(database->CurrentSatellite(), database->CurrentTransponder());
}
