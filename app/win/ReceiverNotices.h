// The receiver's device notices on the main dialog's window: the
// registration for its interface class, and a notice's record read as far as
// its header says it is there.
#pragma once

#include "app/DeviceNotice.h"

#include <windows.h>

// The filter is kept by the system until the window goes away.
void RegisterReceiverNotices(HWND window);
DeviceNoticeAction ClassifyWindowsNotice(WPARAM event, LPARAM data);
