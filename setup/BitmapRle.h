// Run-length coded bitmaps (8 and 4 bits per pixel, stored bottom row first).
#pragma once

#include <cstdint>
#include <span>

// The colour index of the first pixel of the top row: the first pixel of the
// last row in the stream. Pixels the stream never writes (skipped by a delta,
// an early end of line or bitmap, or data cut short) keep index 0, as they do
// in a bitmap that the system decodes into zeroed memory.
unsigned RleTopLeftIndex(std::span<const std::uint8_t> stream, std::uint32_t height, bool fourBit);
