// Bitmap files made byte by byte for the tests of the installer helper.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace setup_test {

using Bytes = std::vector<std::uint8_t>;

inline void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A bitmap file with an info header of headerSize bytes.
struct InfoBitmap {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    Bytes colourTable;   // blue, green, red, reserved per entry
    Bytes pixels;
    std::uint32_t pixelOffset = 0;   // 0: right after the colour table

    Bytes Build() const
    {
        // Room for the 40-byte fields even when a test declares a shorter header.
        Bytes file(14 + std::max<std::uint32_t>(headerSize, 40), 0);
        file[0] = 'B';
        file[1] = 'M';
        PutLe(file, 14, headerSize, 4);
        PutLe(file, 18, static_cast<std::uint32_t>(width), 4);
        PutLe(file, 22, static_cast<std::uint32_t>(height), 4);
        PutLe(file, 26, 1, 2);
        PutLe(file, 28, bits, 2);
        PutLe(file, 30, compression, 4);
        file.insert(file.end(), colourTable.begin(), colourTable.end());
        PutLe(file, 10, pixelOffset != 0 ? pixelOffset : static_cast<std::uint32_t>(file.size()), 4);
        file.insert(file.end(), pixels.begin(), pixels.end());
        PutLe(file, 2, static_cast<std::uint32_t>(file.size()), 4);
        return file;
    }
};

}   // namespace setup_test
