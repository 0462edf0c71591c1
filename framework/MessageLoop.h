// The application's message loop. Top-level modeless dialogs register here so
// that their keyboard navigation (Tab, Enter, Escape) works.
#pragma once

#include <windows.h>

class CMessageLoop {
public:
    static void AddModeless(HWND dialog);
    static void RemoveModeless(HWND dialog);
    // Runs until WM_QUIT; returns its exit code. A close request that waited
    // for modal loops to unwind is delivered from here.
    static int Run();
    // Offers a message to the dialogs from its window up (PreTranslateMessage),
    // then to the modeless dialog it belongs to; true when one used it.
    static bool PreTranslate(MSG& message);
};
