// The program's title: the main dialog's caption, the tray tip and the
// caption of its message boxes. A second instance finds the first by it.
#pragma once

inline constexpr char kProgramTitle[] = "NorvaneData V1.7.2.0";
