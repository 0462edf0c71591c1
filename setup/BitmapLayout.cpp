#include "setup/BitmapLayout.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMaskFieldsSize = 12;   // red, green and blue masks
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;
constexpr std::uint32_t kCompressionBitFields = 3;

// The fields shared by the core header and the info headers, widened so that
// no sign or size trick of the file can overflow the arithmetic below.
struct HeaderFields {
    std::size_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned bitsPerPixel = 0;
    std::uint32_t compression = kCompressionNone;
    std::uint32_t coloursUsed = 0;
};

std::optional<HeaderFields> ReadHeaderFields(std::span<const std::uint8_t> file)
{
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    HeaderFields fields;
    fields.headerSize = ReadLe32(file, kFileHeaderSize);
    const bool core = fields.headerSize == kCoreHeaderSize;
    if (!core && fields.headerSize < kInfoHeaderSize)
        return std::nullopt;
    if (fields.headerSize > file.size() - kFileHeaderSize)
        return std::nullopt;
    if (core) {
        fields.width = ReadLe16(file, 18);
        fields.height = ReadLe16(file, 20);
        fields.bitsPerPixel = ReadLe16(file, 24);
        return fields;
    }
    fields.width = static_cast<std::int32_t>(ReadLe32(file, 18));
    fields.height = static_cast<std::int32_t>(ReadLe32(file, 22));
    fields.bitsPerPixel = ReadLe16(file, 28);
    fields.compression = ReadLe32(file, 30);
    fields.coloursUsed = ReadLe32(file, 46);
    return fields;
}

bool IsIndexedDepth(unsigned bits) { return bits == 1 || bits == 4 || bits == 8; }

void SetMasks(BitmapLayout& layout, std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    layout.redMask = red;
    layout.greenMask = green;
    layout.blueMask = blue;
}

// Decides the coding. The masks of a bit-field bitmap follow a 40-byte header
// and lie inside the larger headers; tableOffset moves past them.
bool ChooseCoding(std::span<const std::uint8_t> file, const HeaderFields& fields, BitmapLayout& layout,
                  std::size_t& tableOffset)
{
    const unsigned bits = fields.bitsPerPixel;
    switch (fields.compression) {
    case kCompressionNone:
        if (IsIndexedDepth(bits))
            layout.coding = PixelCoding::kIndexed;
        else if (bits == 24)
            layout.coding = PixelCoding::kBgr24;
        else if (bits == 16) {
            layout.coding = PixelCoding::kBitFields;
            SetMasks(layout, 0x7C00, 0x03E0, 0x001F);
        } else if (bits == 32) {
            layout.coding = PixelCoding::kBitFields;
            SetMasks(layout, 0xFF0000, 0xFF00, 0xFF);
        } else
            return false;
        return fields.headerSize != kCoreHeaderSize || bits == 24 || IsIndexedDepth(bits);
    case kCompressionRle8: layout.coding = PixelCoding::kRle8; return bits == 8 && !layout.topDown;
    case kCompressionRle4: layout.coding = PixelCoding::kRle4; return bits == 4 && !layout.topDown;
    case kCompressionBitFields: {
        if (bits != 16 && bits != 32)
            return false;
        const std::size_t maskOffset = kFileHeaderSize + kInfoHeaderSize;
        if (fields.headerSize == kInfoHeaderSize)
            tableOffset += kMaskFieldsSize;
        if (maskOffset + kMaskFieldsSize > file.size())
            return false;
        layout.coding = PixelCoding::kBitFields;
        SetMasks(layout, ReadLe32(file, maskOffset), ReadLe32(file, maskOffset + 4), ReadLe32(file, maskOffset + 8));
        return true;
    }
    default: return false;
    }
}

// Indexed bitmaps need every colour-table entry they name present; for deeper
// bitmaps the table is only a hint and matters only for the default offset.
bool PlaceColourTable(std::span<const std::uint8_t> file, const HeaderFields& fields, std::size_t tableOffset,
                      BitmapLayout& layout, std::uint64_t& tableEnd)
{
    layout.colourTableOffset = tableOffset;
    layout.colourEntrySize = fields.headerSize == kCoreHeaderSize ? 3 : 4;
    std::uint64_t entries = fields.coloursUsed;
    if (IsIndexedDepth(layout.bitsPerPixel)) {
        const std::uint64_t full = std::uint64_t{1} << layout.bitsPerPixel;
        if (entries == 0 || entries > full || fields.headerSize == kCoreHeaderSize)
            entries = full;
        layout.colourCount = static_cast<std::size_t>(entries);
    }
    tableEnd = tableOffset + entries * layout.colourEntrySize;
    return !IsIndexedDepth(layout.bitsPerPixel) || tableEnd <= file.size();
}

bool PlacePixels(std::span<const std::uint8_t> file, const HeaderFields& fields, std::uint64_t tableEnd,
                 BitmapLayout& layout)
{
    const std::uint32_t declaredOffset = ReadLe32(file, 10);
    const std::uint64_t offset = declaredOffset != 0 ? declaredOffset : tableEnd;
    if (offset < kFileHeaderSize + fields.headerSize || offset > file.size())
        return false;
    layout.pixelOffset = static_cast<std::size_t>(offset);

    if (layout.coding == PixelCoding::kRle8 || layout.coding == PixelCoding::kRle4)
        return true;

    const std::uint64_t rowBits = std::uint64_t{layout.width} * layout.bitsPerPixel;
    const std::uint64_t rowBytes = (rowBits + 31) / 32 * 4;
    if (rowBytes > (file.size() - layout.pixelOffset) / layout.height)
        return false;
    layout.rowBytes = static_cast<std::size_t>(rowBytes);
    return true;
}

}   // namespace

std::optional<BitmapLayout> ReadBitmapLayout(std::span<const std::uint8_t> file)
{
    const std::optional<HeaderFields> fields = ReadHeaderFields(file);
    if (!fields || fields->width <= 0 || fields->height == 0)
        return std::nullopt;
    const std::int64_t height = fields->height < 0 ? -fields->height : fields->height;
    if (fields->width > INT32_MAX || height > INT32_MAX)
        return std::nullopt;

    BitmapLayout layout;
    layout.width = static_cast<std::uint32_t>(fields->width);
    layout.height = static_cast<std::uint32_t>(height);
    layout.topDown = fields->height < 0;
    layout.bitsPerPixel = fields->bitsPerPixel;
    std::size_t tableOffset = kFileHeaderSize + fields->headerSize;
    std::uint64_t tableEnd = 0;
    if (!ChooseCoding(file, *fields, layout, tableOffset))
        return std::nullopt;
    if (!PlaceColourTable(file, *fields, tableOffset, layout, tableEnd))
        return std::nullopt;
    if (!PlacePixels(file, *fields, tableEnd, layout))
        return std::nullopt;
    return layout;
}
