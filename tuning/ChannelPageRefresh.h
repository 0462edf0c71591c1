// Refresh of the Cable and Terrestrial Setting pages: a channel that has no
// tuning record yet gets one with the default values, made current.
#pragma once

#include "database/ChannelDatabase.h"
#include "tuning/CableRules.h"
#include "tuning/TerrestrialRules.h"

// The current channel's tuning record, created when missing; null without a
// current channel.
TransponderRecord* EnsureTuningRecord(CChannelDatabase& database, bool terrestrial);

CablePageView RefreshCablePage(CChannelDatabase& database);
TerrestrialPageView RefreshTerrestrialPage(CChannelDatabase& database);
