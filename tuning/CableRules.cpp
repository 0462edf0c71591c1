#include "tuning/CableRules.h"

#include "common/DecimalText.h"

int QamIndexOf(std::int32_t qamSize) { return TableIndexOf(kQamValues, qamSize); }

std::int32_t QamSizeAt(int index) { return TableValueAt(kQamValues, index); }

CablePageView CableViewOf(const TransponderRecord* tuning)
{
    if (!tuning)
        return {};
    return {true, FormatUnsigned(tuning->frequency), FormatUnsigned(tuning->symbolRate), QamIndexOf(tuning->polarity)};
}

TuningFieldCommit CommitCableFrequency(TransponderRecord* tuning, std::string_view text)
{
    return CommitTuningField(text, kCableFrequencyRange, tuning ? &tuning->frequency : nullptr);
}

TuningFieldCommit CommitCableSymbolRate(TransponderRecord* tuning, std::string_view text)
{
    return CommitTuningField(text, kCableSymbolRateRange, tuning ? &tuning->symbolRate : nullptr);
}

bool ChooseQam(TransponderRecord* tuning, int index)
{
    if (!tuning || index < 0)
        return false;
    tuning->polarity = QamSizeAt(index);
    return true;
}
