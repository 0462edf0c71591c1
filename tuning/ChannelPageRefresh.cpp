#include "tuning/ChannelPageRefresh.h"

TransponderRecord* EnsureTuningRecord(CChannelDatabase& database, bool terrestrial)
{
    if (!database.CurrentSatellite())
        return nullptr;
    if (!database.CurrentTransponder())
        database.AddTransponder(MakeDefaultTuningRecord(terrestrial), 1);
    return database.CurrentTransponder();
}

CablePageView RefreshCablePage(CChannelDatabase& database) { return CableViewOf(EnsureTuningRecord(database, false)); }

TerrestrialPageView RefreshTerrestrialPage(CChannelDatabase& database)
{
    return TerrestrialViewOf(EnsureTuningRecord(database, true));
}
