// A small reproducible generator (SplitMix64) for the noise on signal
// readings: the same seed and the same calls give the same readings.
#pragma once

#include <cstdint>

namespace quarlink {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [-amplitude, amplitude].
    int Spread(int amplitude)
    {
        if (amplitude <= 0)
            return 0;
        const auto span = static_cast<std::uint64_t>(amplitude) * 2 + 1;
        return static_cast<int>(Next() % span) - amplitude;
    }

private:
    std::uint64_t state;
};

}   // namespace quarlink
