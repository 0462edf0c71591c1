// The PID page scenarios' common ground: a cable card receiving one channel
// whose database entry holds the chosen PIDs, the program started on the
// Filter tab, and the page's controls driven from outside.
#pragma once

#include "tests/e2e/Harness.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

constexpr int kPidList = 1093;
constexpr int kPidAdd = 1036;
constexpr int kPidRemove = 1037;
constexpr int kPidLoad = 1098;
constexpr int kPidUnload = 1099;
constexpr int kPidMacText = 1213;
constexpr int kPidMacChange = 1214;
constexpr int kPidBytesTotal = 1187;
constexpr int kPidSpeed = 1191;
constexpr int kMainApply = 1009;
constexpr int kLoadedImage = 0;
constexpr int kNotLoadedImage = 1;

struct FilePid {
    int pid = 0;
    int loaded = 0;
    int type = 2;
};

// The cable database file: one channel on 474000 kHz, 6900 ksps, QAM 64,
// holding these PIDs in this order.
std::string CableChannelFile(const std::vector<FilePid>& pids);
// A cable card that receives that channel, carrying PID 0x100 (256) at
// 2000 kbit/s for two addresses and PID 0x101 (257) at 512 kbit/s for one;
// `extra` is appended (card settings, faults).
std::string CableCardIni(const std::string& extra = std::string());

// Starts the program with the database and the simulator configuration,
// waits for the start-up lock to be over and shows the Filter tab.
bool StartOnFilterPage(LumisatRun& run, const std::vector<FilePid>& pids, const std::string& ini);
HWND PidPageWindow(const LumisatRun& run);
HWND PidList(const LumisatRun& run);

// Returns once the program's user-interface thread has handled everything
// sent to it before.
void WaitUntilIdle(const LumisatRun& run);
// A click on a page button whose handler opens no window, handled before
// this returns.
void ClickNow(HWND page, int id);
// Waits until a lock has started the filter (after `from` log lines) and
// the lock sequence has ended.
bool WaitForFilterStart(const LumisatRun& run, size_t from = 0);
std::vector<std::string> LoggedCalls(const LumisatRun& run, const std::string& prefix, size_t from = 0);

// A message box of the program (never the main dialog, whose level bars also
// carry the identifier 65535), or null when none came in time.
HWND WaitForProgramBox(const LumisatRun& run, std::chrono::milliseconds timeout = std::chrono::seconds(10));
// Waits until a text control shows the text; false when it did not in time.
bool WaitForText(HWND control, const std::string& text,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Typing as the keyboard does it: the characters are posted to the edit one
// by one, so a message box that a character brings up does not block here.
// With replace set, the edit's whole text is selected first.
void TypeInto(HWND edit, const std::string& text, bool replace = false);
// The one dialog of the program with this caption, once it is visible.
HWND WaitForDialog(const LumisatRun& run, const char* caption);
// Reads a message box's text, answers it and waits until it is gone.
std::string AnswerBox(HWND box, int buttonId);
