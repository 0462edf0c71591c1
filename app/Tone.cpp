#include "app/Tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kLowestPitchHz = 330.0;
constexpr double kOctaves = 3.0;
// Loud enough to be heard outdoors through an open window, well below clipping.
constexpr double kAmplitude = 0.4 * 32767;

}   // namespace

int TonePitchHz(int quality)
{
    const double share = std::clamp(quality, 0, 100) / 100.0;
    return static_cast<int>(std::lround(kLowestPitchHz * std::exp2(kOctaves * share)));
}

void ToneSynth::Fill(std::span<std::int16_t> block, int pitchHz)
{
    const double step = sampleRate > 0 ? static_cast<double>(pitchHz) / sampleRate : 0.0;
    for (std::int16_t& sample : block) {
        sample = static_cast<std::int16_t>(std::lround(kAmplitude * std::sin(2 * std::numbers::pi * phase)));
        phase += step;
        phase -= std::floor(phase);
    }
}
