#include "setup/BitmapRle.h"

#include <cstddef>

namespace {

constexpr std::uint8_t kEscape = 0;
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

unsigned FirstIndexOf(std::uint8_t byte, bool fourBit) { return fourBit ? byte >> 4 : byte; }

// Bytes of an absolute run of `count` pixels, padded to a 16-bit boundary.
std::size_t AbsoluteRunBytes(unsigned count, bool fourBit)
{
    const std::size_t bytes = fourBit ? (count + 1) / 2 : count;
    return (bytes + 1) & ~std::size_t{1};
}

}   // namespace

unsigned RleTopLeftIndex(std::span<const std::uint8_t> stream, std::uint32_t height, bool fourBit)
{
    const std::uint64_t topRow = height - 1;
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::size_t at = 0;
    while (y <= topRow && stream.size() - at >= 2) {
        const std::uint8_t count = stream[at];
        const std::uint8_t code = stream[at + 1];
        at += 2;
        const bool startsTopLeft = y == topRow && x == 0;
        if (count != kEscape) {
            if (startsTopLeft)
                return FirstIndexOf(code, fourBit);
            x += count;
        } else if (code == kEndOfLine) {
            x = 0;
            ++y;
        } else if (code == kEndOfBitmap) {
            break;
        } else if (code == kDelta) {
            if (stream.size() - at < 2)
                break;
            x += stream[at];
            y += stream[at + 1];
            at += 2;
        } else {
            const std::size_t runBytes = AbsoluteRunBytes(code, fourBit);
            if (stream.size() - at < runBytes)
                break;
            if (startsTopLeft)
                return FirstIndexOf(stream[at], fourBit);
            x += code;
            at += runBytes;
        }
    }
    return 0;
}
