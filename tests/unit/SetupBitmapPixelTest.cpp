#include "setup/BitmapPixel.h"
#include "tests/unit/SetupBitmapBuilder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

namespace {

using setup_test::Bytes;
using setup_test::InfoBitmap;

// The top-left pixel as red, green and blue; nothing for a refused bitmap.
std::optional<std::tuple<int, int, int>> TopLeft(const Bytes& file)
{
    const std::optional<RgbColour> colour = ReadTopLeftPixel(file);
    if (!colour)
        return std::nullopt;
    return std::tuple(colour->red, colour->green, colour->blue);
}

TEST(SetupBitmapPixel, TrueColourTakesTheTopRowWhicheverWayRowsAreStored)
{
    InfoBitmap bottomUp;   // 2 x 2, rows of 6 bytes padded to 8; bottom row first
    bottomUp.width = 2;
    bottomUp.height = 2;
    bottomUp.pixels = {255, 0, 0,   0, 0,   0, 0, 0,    // bottom row: blue first
                       0,   0, 255, 0, 255, 0, 0, 0};   // top row: red first
    EXPECT_EQ(TopLeft(bottomUp.Build()), std::tuple(255, 0, 0));

    InfoBitmap topDown = bottomUp;
    topDown.height = -2;
    EXPECT_EQ(TopLeft(topDown.Build()), std::tuple(0, 0, 255));

    InfoBitmap argb;
    argb.bits = 32;
    argb.pixels = {0x30, 0x20, 0x10, 0xFF};
    EXPECT_EQ(TopLeft(argb.Build()), std::tuple(0x10, 0x20, 0x30));
}

TEST(SetupBitmapPixel, RefusesWhatIsNoReadableBitmap)
{
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
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.compression = 4; }));   // embedded JPEG
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.compression = 1; }));   // RLE8 at 24 bits
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.headerSize = 20; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.pixelOffset = 4096; }));   // past the end
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.pixels.pop_back(); }));    // row cut short
    EXPECT_TRUE(refused([](InfoBitmap& b) { b.width = b.height = INT32_MAX; }));
    EXPECT_TRUE(refused([](InfoBitmap& b) {
        b.bits = 8;
        b.colourTable = Bytes(4 * 100, 0);
    }));
    EXPECT_TRUE(refused(
        [](InfoBitmap& b) { b.bits = 8, b.compression = 1, b.height = -1, b.colourTable = Bytes(4 * 256, 0); }));
}

}   // namespace
