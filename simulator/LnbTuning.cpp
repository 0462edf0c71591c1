#include "simulator/LnbTuning.h"

#include <cstdlib>

namespace quarlink {

namespace {

LnbTuning WithOscillator(std::uint32_t frequencyMHz, std::uint32_t oscillatorMHz, bool tone)
{
    LnbTuning tuning;
    tuning.knownType = true;
    tuning.oscillatorMHz = oscillatorMHz;
    tuning.tone = tone;
    tuning.intermediateMHz = static_cast<int>(std::llabs(static_cast<long long>(frequencyMHz) - oscillatorMHz));
    return tuning;
}

// The first oscillator gives the answer unless only the second one reaches the tuner.
LnbTuning FirstThatFits(std::uint32_t frequencyMHz, std::uint32_t first, std::uint32_t second)
{
    if (first == 0 && second == 0) {
        LnbTuning none;
        none.knownType = true;
        return none;
    }
    const LnbTuning low = WithOscillator(frequencyMHz, first != 0 ? first : second, first == 0);
    if (low.InTunerRange() || first == 0 || second == 0)
        return low;
    const LnbTuning high = WithOscillator(frequencyMHz, second, true);
    return high.InTunerRange() ? high : low;
}

}   // namespace

LnbTuning ChooseOscillator(int lnbType, std::uint32_t frequencyMHz, std::uint32_t lnbFreq1, std::uint32_t lnbFreq2)
{
    switch (lnbType) {
    case 0: return FirstThatFits(frequencyMHz, 5150, 5750);
    case 1: {
        const bool highBand = frequencyMHz >= kUniversalBandSplitMHz;
        return WithOscillator(frequencyMHz, highBand ? 10600 : 9750, highBand);
    }
    case 2: return FirstThatFits(frequencyMHz, lnbFreq1, lnbFreq2);
    default: return {};
    }
}

}   // namespace quarlink
