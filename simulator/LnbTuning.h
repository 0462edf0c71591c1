// Which local oscillator the driver uses for a satellite transponder and the
// intermediate frequency that reaches the tuner.
//   Universal (1): 9750 MHz below 11700 MHz, 10600 MHz (22 kHz tone) from
//     11700 MHz on, whatever oscillators the caller passes; the driver makes
//     the tone itself.
//   Normal (0): a C-band LNB, 5150 MHz, or 5750 MHz where 5150 MHz cannot
//     bring the transponder into the tuner's range.
//   Custom (2): the caller's oscillators 1 and 2 (0 = none) in that order; the
//     first that brings the transponder into range, the second with the tone.
// The intermediate frequency is |transponder - oscillator| (inverted when the
// oscillator lies above, as on C-band).
#pragma once

#include <cstdint>
#include <string>

namespace quarlink {

constexpr int kTunerLowestMHz = 950;
constexpr int kTunerHighestMHz = 2150;
constexpr int kUniversalBandSplitMHz = 11700;

struct LnbTuning {
    bool knownType = false;
    std::uint32_t oscillatorMHz = 0;   // 0: no oscillator to use
    bool tone = false;                 // the driver's 22 kHz tone for this choice
    int intermediateMHz = 0;
    bool InTunerRange() const
    {
        return oscillatorMHz != 0 && intermediateMHz >= kTunerLowestMHz && intermediateMHz <= kTunerHighestMHz;
    }
};

LnbTuning ChooseOscillator(int lnbType, std::uint32_t frequencyMHz, std::uint32_t lnbFreq1, std::uint32_t lnbFreq2);

}   // namespace quarlink
