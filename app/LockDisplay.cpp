#include "app/LockDisplay.h"

#include "common/FieldText.h"
#include "database/ChannelDatabase.h"

LockTarget CurrentLockTarget(const CChannelDatabase& database)
{
    LockTarget target;
    if (const SatelliteRecord* satellite = database.CurrentSatellite()) {
        target.diseqcPort = satellite->diseqcPort;
        target.lnbPower = satellite->lnbPower;
        target.tone22k = satellite->tone22k;
        target.lnbType = satellite->lnbType;
        target.lnbFreq1 = satellite->lnbFreq1;
        target.lnbFreq2 = satellite->lnbFreq2;
    }
    if (const TransponderRecord* transponder = database.CurrentTransponder()) {
        target.hasTransponder = true;
        target.frequency = transponder->frequency;
        target.symbolRate = transponder->symbolRate;
        target.polarity = transponder->polarity;
    }
    return target;
}

bool DisplaysLocked(int result, const std::optional<LockTarget>& lastLocked, const LockTarget& current)
{
    return result == 0 && lastLocked.has_value() && *lastLocked == current && current.hasTransponder;
}

bool LockedElsewhere(int result, const std::optional<LockTarget>& lastLocked, const LockTarget& current)
{
    return result == 0 && lastLocked.has_value() && lastLocked->hasTransponder && *lastLocked != current;
}

std::string LockTargetText(const CChannelDatabase& database, bool satelliteCard)
{
    const SatelliteRecord* satellite = database.CurrentSatellite();
    const TransponderRecord* transponder = database.CurrentTransponder();
    if (satellite == nullptr || transponder == nullptr)
        return std::string();
    std::string text(FieldText(satellite->name));
    text += ": " + std::to_string(transponder->frequency);
    if (!satelliteCard)
        return text + " kHz";
    return text + " MHz " + (transponder->polarity != 0 ? "H " : "V ") + std::to_string(transponder->symbolRate);
}
