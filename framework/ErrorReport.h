// The one place where an exception that reached a window procedure is shown.
#pragma once

#include <windows.h>

void ReportUnhandledError(HWND owner, const char* what);
