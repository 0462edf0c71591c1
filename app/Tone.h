// The alignment tone: a pitch that rises with the signal quality, so that the
// person at the dish can hear the peak without looking at the screen.
#pragma once

#include <cstdint>
#include <span>

// From 330 Hz at quality 0 (and below) to 2640 Hz at 100 (and above), the
// same musical step for every point of quality: three octaves in all.
int TonePitchHz(int quality);

// A sine wave of 16-bit samples, block after block.
class ToneSynth {
public:
    explicit ToneSynth(int sampleRate) : sampleRate(sampleRate) {}

    // Fills the block at the pitch, going on from the phase where the last
    // block ended, so that a change of pitch does not click.
    void Fill(std::span<std::int16_t> block, int pitchHz);

private:
    int sampleRate;
    double phase = 0;   // in turns, 0 to 1
};
