#include "setup/BitmapPixel.h"

#include "setup/BitmapLayout.h"
#include "setup/BitmapRle.h"

#include <bit>

namespace {

RgbColour TableColour(std::span<const std::uint8_t> file, const BitmapLayout& layout, unsigned index)
{
    if (index >= layout.colourCount)
        return {};
    const std::size_t entry = layout.colourTableOffset + index * layout.colourEntrySize;
    return {file[entry + 2], file[entry + 1], file[entry]};
}

std::uint8_t MaskedComponent(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int width = std::bit_width(mask >> shift);
    const std::uint32_t value = (pixel & mask) >> shift;
    if (width >= 8)
        return static_cast<std::uint8_t>(value >> (width - 8));
    std::uint32_t widened = 0;
    for (int filled = 0; filled < 8; filled += width) {
        const int place = 8 - filled - width;
        widened |= place >= 0 ? value << place : value >> -place;
    }
    return static_cast<std::uint8_t>(widened);
}

RgbColour UncompressedTopLeft(std::span<const std::uint8_t> file, const BitmapLayout& layout)
{
    const std::size_t topRow = layout.topDown ? 0 : layout.height - 1;
    const std::size_t at = layout.pixelOffset + topRow * layout.rowBytes;
    switch (layout.coding) {
    case PixelCoding::kIndexed: return TableColour(file, layout, file[at] >> (8 - layout.bitsPerPixel));
    case PixelCoding::kBgr24: return {file[at + 2], file[at + 1], file[at]};
    default: {
        const std::uint32_t pixel = layout.bitsPerPixel == 16 ? ReadLe16(file, at) : ReadLe32(file, at);
        return {MaskedComponent(pixel, layout.redMask), MaskedComponent(pixel, layout.greenMask),
                MaskedComponent(pixel, layout.blueMask)};
    }
    }
}

}   // namespace

std::optional<RgbColour> ReadTopLeftPixel(std::span<const std::uint8_t> file)
{
    const std::optional<BitmapLayout> layout = ReadBitmapLayout(file);
    if (!layout)
        return std::nullopt;
    if (layout->coding == PixelCoding::kRle8 || layout->coding == PixelCoding::kRle4) {
        const bool fourBit = layout->coding == PixelCoding::kRle4;
        const unsigned index = RleTopLeftIndex(file.subspan(layout->pixelOffset), layout->height, fourBit);
        return TableColour(file, *layout, index);
    }
    return UncompressedTopLeft(file, *layout);
}
