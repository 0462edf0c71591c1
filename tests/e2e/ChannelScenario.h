// What the lock and channel-page scenarios share: the demo channel files, the
// call log read as an ordered list, the lock wait dialog, the colour of the
// level bars on screen, and whether the program still answers.
#pragma once

#include "tests/e2e/Harness.h"
#include "tests/e2e/SatelliteFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace scenario {

constexpr int kCableKind = 5;
constexpr int kTerrestrialKind = 7;
constexpr COLORREF kLockedGreen = RGB(0, 255, 0);
constexpr COLORREF kUnlockedRed = RGB(255, 0, 0);

// A file of the simulator's demo folder (line-ups, channel databases), whole.
std::string DemoFile(const std::string& name);

// Succeeds when the lines hold, in this order with others in between, one
// line starting with each prefix; says which prefix was missing otherwise.
::testing::AssertionResult HasInOrder(const std::vector<std::string>& lines,
                                      const std::vector<std::string>& prefixes, size_t from = 0);
// Index of the first line from `from` on that starts with the prefix, or npos.
size_t FindLine(const std::vector<std::string>& lines, const std::string& prefix, size_t from = 0);

// True when the program's user-interface thread answers a sent message
// within the time.
bool Answers(HWND window, std::chrono::milliseconds within);

// The "Locking, please wait" window of a lock, or null; label gets its text.
HWND FindLockWaitDialog(const LumisatRun& run, std::string* label = nullptr);

// The LockChannel3 calls and signal polls the simulator saw made while a
// LockChannel3 call was in flight.
int OverlappingLockCalls(const LumisatRun& run);

// The colour inside the strength bar, read from the screen (the main dialog
// must be visible and uncovered).
COLORREF StrengthBarColour(HWND mainDialog);
bool WaitForBarColour(HWND mainDialog, COLORREF colour, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Presses Apply, waits until it has saved, and reads the channel file back.
bool ApplyAndReadChannels(const LumisatRun& run, const std::string& file, std::vector<FileSatellite>& channels);

} // namespace scenario
