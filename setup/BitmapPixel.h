// The colour of the top-left pixel of a bitmap file, read from its bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// Nothing when the bytes are not a readable bitmap file (see ReadBitmapLayout).
// Components narrower than 8 bits are widened by repeating their top bits, and
// colour indices beyond the colour table read as black, as the system does.
std::optional<RgbColour> ReadTopLeftPixel(std::span<const std::uint8_t> file);
