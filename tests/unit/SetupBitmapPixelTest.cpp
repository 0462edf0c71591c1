#include "setup/BitmapPixel.h"
#include "tests/unit/SetupBitmapBuilder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using setup_test::Bytes;
using setup_test::InfoBitmap;
using setup_test::NumberedTable;
using setup_test::PutLe;

// A bitmap file with the old 12-byte core header and 3-byte colour entries.
Bytes CoreBitmap(std::uint16_t width, std::uint16_t height, std::uint16_t bits, const Bytes& colourTable,
                 const Bytes& pixels) {
    Bytes file(26, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLe(file, 14, 12, 4);
    PutLe(file, 18, width, 2);
    PutLe(file, 20, height, 2);
    PutLe(file, 22, 1, 2);
    PutLe(file, 24, bits, 2);
    file.insert(file.end(), colourTable.begin(), colourTable.end());
    PutLe(file, 10, static_cast<std::uint32_t>(file.size()), 4);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

#define EXPECT_COLOUR(file, r, g, b)                                                   \
    do {                                                                               \
        const std::optional<RgbColour> colour = ReadTopLeftPixel(file);                \
        ASSERT_TRUE(colour.has_value()) << "the bitmap was refused";                   \
        EXPECT_EQ((r), colour->red);                                                   \
        EXPECT_EQ((g), colour->green);                                                 \
        EXPECT_EQ((b), colour->blue);                                                  \
    } while (0)

TEST(SetupBitmapPixel, TrueColourTakesTheTopRowWhicheverWayRowsAreStored) {
    InfoBitmap bottomUp;  // 2 x 2, rows of 6 bytes padded to 8; bottom row first
    bottomUp.width = 2;
    bottomUp.height = 2;
    bottomUp.pixels = {255, 0, 0, 0, 0, 0, 0, 0,     // bottom row: blue first
                       0, 0, 255, 0, 255, 0, 0, 0};  // top row: red first
    EXPECT_COLOUR(bottomUp.Build(), 255, 0, 0);

    InfoBitmap topDown = bottomUp;
    topDown.height = -2;
    EXPECT_COLOUR(topDown.Build(), 0, 0, 255);

    InfoBitmap argb;
    argb.bits = 32;
    argb.pixels = {0x30, 0x20, 0x10, 0xFF};
    EXPECT_COLOUR(argb.Build(), 0x10, 0x20, 0x30);
}

TEST(SetupBitmapPixel, SixteenBitPixelsWidenTheirComponents) {
    InfoBitmap rgb555;
    rgb555.bits = 16;
    rgb555.pixels = {0x00, 0x7C, 0, 0};  // pure red
    EXPECT_COLOUR(rgb555.Build(), 255, 0, 0);
    rgb555.pixels = {0x21, 0x42, 0, 0};  // red 16, green 17, blue 1 of 31
    EXPECT_COLOUR(rgb555.Build(), 0x84, 0x8C, 0x08);

    InfoBitmap rgb565;
    rgb565.bits = 16;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.pixels = {0xE0, 0x07, 0, 0};  // green only, all six bits
    EXPECT_COLOUR(rgb565.Build(), 0, 255, 0);

    InfoBitmap v5 = rgb565;  // the masks inside a 124-byte header
    v5.headerSize = 124;
    v5.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    v5.bits = 32;
    v5.pixels = {0x11, 0x22, 0x33, 0x00};
    EXPECT_COLOUR(v5.Build(), 0x11, 0x22, 0x33);
}

TEST(SetupBitmapPixel, IndexedPixelsLookUpTheColourTable) {
    InfoBitmap eightBit;
    eightBit.bits = 8;
    eightBit.colourTable = NumberedTable(16);
    eightBit.coloursUsed = 16;
    eightBit.pixels = {5, 0, 0, 0};
    EXPECT_COLOUR(eightBit.Build(), 81, 2, 3);
    eightBit.pixels = {200, 0, 0, 0};  // beyond the 16 entries given
    EXPECT_COLOUR(eightBit.Build(), 0, 0, 0);

    InfoBitmap fourBit = eightBit;
    fourBit.bits = 4;
    fourBit.coloursUsed = 0;
    fourBit.pixels = {0x7A, 0, 0, 0};  // the high nibble is the first pixel
    EXPECT_COLOUR(fourBit.Build(), 113, 2, 3);

    InfoBitmap oneBit;
    oneBit.bits = 1;
    oneBit.colourTable = NumberedTable(2);
    oneBit.pixels = {0x80, 0, 0, 0};
    EXPECT_COLOUR(oneBit.Build(), 17, 2, 3);

    EXPECT_COLOUR(CoreBitmap(1, 1, 8, NumberedTable(256, 3), {9, 0, 0, 0}), 145, 2, 3);
    EXPECT_COLOUR(CoreBitmap(1, 1, 24, {}, {0x40, 0x50, 0x60, 0}), 0x60, 0x50, 0x40);
}

TEST(SetupBitmapPixel, RunLengthCodingFindsTheFirstPixelOfTheLastRow) {
    InfoBitmap rle8;
    rle8.width = 4;
    rle8.height = 2;
    rle8.bits = 8;
    rle8.compression = 1;
    rle8.colourTable = NumberedTable(16);
    rle8.coloursUsed = 16;
    rle8.pixels = {4, 1, 0, 0,   // bottom row: four of index 1, end of line
                   1, 6, 3, 2,   // top row: one of index 6, then three of 2
                   0, 1};
    EXPECT_COLOUR(rle8.Build(), 97, 2, 3);

    rle8.pixels = {4, 1, 0, 0, 0, 4, 9, 8, 7, 6, 0, 1};  // top row as an absolute run
    EXPECT_COLOUR(rle8.Build(), 145, 2, 3);

    rle8.pixels = {0, 2, 1, 1, 3, 5, 0, 1};  // a delta jumps into the top row, past its first pixel
    EXPECT_COLOUR(rle8.Build(), 1, 2, 3);
    rle8.pixels = {4, 1, 0, 1};  // ends before the top row
    EXPECT_COLOUR(rle8.Build(), 1, 2, 3);

    InfoBitmap rle4 = rle8;
    rle4.bits = 4;
    rle4.compression = 2;
    rle4.coloursUsed = 0;
    rle4.pixels = {4, 0x11, 0, 0, 0, 3, 0xC5, 0xE0, 0, 1};  // top row: absolute C, 5, E
    EXPECT_COLOUR(rle4.Build(), 193, 2, 3);
}

TEST(SetupBitmapPixel, RefusesWhatIsNoReadableBitmap) {
    InfoBitmap good;
    good.pixels = {0, 0, 255, 0};
    ASSERT_TRUE(ReadTopLeftPixel(good.Build()).has_value());

    EXPECT_FALSE(ReadTopLeftPixel({}).has_value());
    EXPECT_FALSE(ReadTopLeftPixel(Bytes{'B', 'M'}).has_value());
    Bytes text(200, 'x');
    EXPECT_FALSE(ReadTopLeftPixel(text).has_value());

    auto refused = [&](auto change) {
        InfoBitmap bitmap = good;
        change(bitmap);
        return !ReadTopLeftPixel(bitmap.Build()).has_value();
    };
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.width = 0; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.height = 0; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.width = -1; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.height = INT32_MIN; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.bits = 0; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.bits = 7; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.compression = 4; }));         // embedded JPEG
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.compression = 1; }));         // RLE8 at 24 bits
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.headerSize = 20; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.pixelOffset = 4096; }));      // past the end
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.pixels.pop_back(); }));       // row cut short
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.width = b.height = INT32_MAX; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.bits = 8; b.colourTable = NumberedTable(100); }));
    EXPECT_TRUE(refused([](InfoBitmap& b) {
        b.bits = 8, b.compression = 1, b.height = -1, b.colourTable = NumberedTable(256);
    }));
}

TEST(SetupBitmapPixel, EveryCutOfAFileIsReadSafely) {
    InfoBitmap bitmaps[3];
    bitmaps[0].width = 3, bitmaps[0].height = 3, bitmaps[0].pixels = Bytes(36, 0x7F);
    bitmaps[1].bits = 8, bitmaps[1].colourTable = NumberedTable(256), bitmaps[1].pixels = {1, 0, 0, 0};
    bitmaps[2].width = 4, bitmaps[2].height = 2, bitmaps[2].bits = 8, bitmaps[2].compression = 1;
    bitmaps[2].colourTable = NumberedTable(256), bitmaps[2].pixels = {4, 1, 0, 0, 0, 4, 9, 8, 7, 6, 0, 1};
    for (const InfoBitmap& bitmap : bitmaps) {
        const Bytes file = bitmap.Build();
        const bool compressed = bitmap.compression != 0;
        for (std::size_t size = 0; size < file.size(); ++size) {
            const Bytes cut(file.begin(), file.begin() + size);
            const std::optional<RgbColour> colour = ReadTopLeftPixel(cut);
            if (!compressed) EXPECT_FALSE(colour.has_value()) << "cut at " << size;
        }
    }
}

}  // namespace
