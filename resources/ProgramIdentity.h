// The names by which Windows, other programs and the tests know Lumisat: its
// settings key, windows, messages and mutexes, and the texts that carry the
// version. Stated here alone; the program, the tests and the benchmarks
// include this header, the resource script reads its macros, and the build
// hands the constants to the installer and the scripts (cmake/ProgramIdentity.cmake
// reads every "inline constexpr char k...[]" line below).
#pragma once

#include "ProductVersion.h"   // configured by the build from project() in CMakeLists.txt

// The texts the resource script shows as well (it reads only macros).
#define PROGRAM_NAME "NorvaneData"
#define PROGRAM_TITLE PROGRAM_NAME " V" PRODUCT_VERSION_TEXT
#define PROGRAM_ABOUT_CAPTION "About " PROGRAM_TITLE
#define PROGRAM_VERSION_LINE PROGRAM_NAME " Version V" PRODUCT_VERSION_TEXT

#ifndef RC_INVOKED
// The main dialog's caption, the notification-area tip and the caption of the
// message boxes. A second instance finds the first by it.
inline constexpr char kProgramTitle[] = PROGRAM_TITLE;
// The About box's caption and its version line.
inline constexpr char kAboutCaption[] = PROGRAM_ABOUT_CAPTION;
inline constexpr char kVersionLine[] = PROGRAM_VERSION_LINE;
// The settings' key, under the hive app/Settings.h chooses.
inline constexpr char kSettingsKeyPath[] = "Software\\Tavio\\Skyfold";
// The hidden frame window's class.
inline constexpr char kFrameClass[] = "SkyfoldClass";
// The registered message other programs post to the frame to ask Lumisat to end.
inline constexpr char kExitRequestMessageName[] = "{CAE549C8-83E9-4266-8AE4-2051746EA788}";
// Held while Lumisat runs: a second start finds it.
inline constexpr char kInstanceMutexName[] = "{50FF8722-9787-424f-88D8-265BB83DBD8F}";
// Held by the receiver's other program: Lumisat does not start beside it.
inline constexpr char kOtherProgramMutexName[] = "{A3673CEC-FD36-42af-8ABC-394DBBA881F2}";
#endif
