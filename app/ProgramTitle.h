// The program's title: the main dialog's caption, the tray tip and the
// caption of its message boxes. A second instance finds the first by it.
#pragma once

#include "ProductVersion.h"

inline constexpr char kProgramTitle[] = PRODUCT_TITLE;
