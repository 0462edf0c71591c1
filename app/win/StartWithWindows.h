// The "Start with Windows" choice: the value "Lumisat" under the current
// user's Run key, which starts the program hidden in the notification area.
#pragma once

bool StartsWithWindows();
// Writes the value with the program's quoted path and "/tray", or removes
// it; false when the key could not be changed.
bool SetStartWithWindows(bool on);
