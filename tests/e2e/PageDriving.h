// Driving the tab pages of a running Lumisat: showing a tab, notifications
// sent (not posted) so that the page's handler has finished when the call
// returns, and the few controls that need more than a click.
#pragma once

#include "tests/e2e/Harness.h"
#include "tests/e2e/SatelliteFile.h"

#include <windows.h>

#include <string>
#include <vector>

constexpr int kLnbTab = 0;
constexpr int kDishTab = 1;

// The page window that holds the control with this identifier.
HWND PageOf(HWND mainDialog, int controlId);
// Shows the tab as a click on it does; true once the page is visible.
bool ShowTab(HWND mainDialog, int index, int controlOnPage);

// A WM_COMMAND notification from the control, handled before this returns.
void SendNotification(HWND control, WORD code);
// Types the text and leaves the control, as the user does.
void EnterText(HWND control, const std::string& text, WORD killFocusCode = EN_KILLFOCUS);
// Checks one radio button of a group, unchecks the others, and tells the page.
void ChooseRadio(HWND dialog, int chosenId, const std::vector<int>& groupIds);
// Selects the combo box item and tells the page; handled before this returns.
void ChooseItemNow(HWND combo, int index);
bool IsChecked(HWND button);
std::string ComboText(HWND combo);

// A message box of the program, as LumisatRun::WaitForMessageBox finds it:
// neither the main dialog (whose level bars also use 65535) nor the wait
// dialog of a lock.
HWND WaitForProgramMessage(const LumisatRun& run, std::chrono::milliseconds timeout = std::chrono::seconds(10));
bool NoProgramMessageFor(const LumisatRun& run, std::chrono::milliseconds time);
// Answers the message box and waits until it is gone, so that the next search
// cannot find it again.
bool Answer(HWND box, int buttonId);

// Waits until the start-up lock has been made (or timer 503 has surely fired)
// and the program answers again.
void WaitForStartupLock(const LumisatRun& run);
// Lines of the call log from `from` on that start with the prefix.
std::vector<std::string> CallsFrom(const LumisatRun& run, const std::string& prefix, size_t from = 0);

// Astra at 19.2E with 11494 H 22000, which the demo line-up receives on input A.
FileSatellite Astra();
// Starts the program on a card of the kind with this satellite database and
// waits for the start-up lock.
bool StartWithSatellites(LumisatRun& run, const std::vector<FileSatellite>& satellites, int kind = 0);
// Presses Apply, waits until it is done, and reads the database file back.
bool ApplyAndReadDatabase(const LumisatRun& run, std::vector<FileSatellite>& saved);
