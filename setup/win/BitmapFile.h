#pragma once

#include "setup/BitmapPixel.h"

// The colour of the top-left pixel of a bitmap file; nothing when the file
// cannot be opened or is no readable bitmap. Only the pages of the file that
// are looked at are read, so a huge file costs no more than a small one.
std::optional<RgbColour> ReadBitmapFileTopLeft(const char* fileName);
