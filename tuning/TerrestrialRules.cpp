#include "tuning/TerrestrialRules.h"

#include "common/DecimalText.h"

int BandwidthIndexOf(std::int32_t bandwidth) { return TableIndexOf(kBandwidthValues, bandwidth); }

std::int32_t BandwidthAt(int index) { return TableValueAt(kBandwidthValues, index); }

TerrestrialPageView TerrestrialViewOf(const TransponderRecord* tuning)
{
    if (!tuning)
        return {};
    return {true, FormatUnsigned(tuning->frequency), BandwidthIndexOf(tuning->symbolRate)};
}

TuningFieldCommit CommitTerrestrialFrequency(TransponderRecord* tuning, std::string_view text)
{
    return CommitTuningField(text, kTerrestrialFrequencyRange, tuning ? &tuning->frequency : nullptr);
}

bool ChooseBandwidth(TransponderRecord* tuning, int index)
{
    if (!tuning || index < 0)
        return false;
    tuning->symbolRate = BandwidthAt(index);
    return true;
}
