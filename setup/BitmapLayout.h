// Where the pixels of a bitmap file lie and how they are coded, read from the
// file's headers. Every count and offset is checked against the file's size,
// so a file claiming a huge bitmap is refused, not trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

enum class PixelCoding {
    kIndexed,     // 1, 4 or 8 bits per pixel into the colour table
    kRle8,        // run-length coded 8-bit indices
    kRle4,        // run-length coded 4-bit indices
    kBitFields,   // 16 or 32 bits per pixel with red, green and blue masks
    kBgr24,       // blue, green, red bytes
};

struct BitmapLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool topDown = false;   // rows stored top row first
    unsigned bitsPerPixel = 0;
    PixelCoding coding = PixelCoding::kIndexed;
    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;
    std::size_t colourTableOffset = 0;
    std::size_t colourCount = 0;       // entries present in the file
    std::size_t colourEntrySize = 4;   // 3 in files with the old core header
    std::size_t pixelOffset = 0;       // first byte of the pixel data
    std::size_t rowBytes = 0;          // stride of uncompressed rows
};

// Nothing when the bytes are not a bitmap file this helper can read: no "BM"
// signature, an unknown header or coding, a width or height of 0, or pixel
// data (uncompressed) or a colour table reaching past the end of the file.
std::optional<BitmapLayout> ReadBitmapLayout(std::span<const std::uint8_t> file);

// Little-endian fields of the file; the caller has checked the bounds.
inline std::uint32_t ReadLe16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8);
}
inline std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return ReadLe16(bytes, offset) | (ReadLe16(bytes, offset + 2) << 16);
}
