// The application's message loop. Top-level modeless dialogs register here so
// that their keyboard navigation (Tab, Enter, Escape) works.
#pragma once

#include <windows.h>

class CMessageLoop {
public:
    static void AddModeless(HWND dialog);
    static void RemoveModeless(HWND dialog);
    // Runs until WM_QUIT; returns its exit code.
    static int Run();
    // Gives a message to the modeless dialog it belongs to; true when used.
    static bool PreTranslate(MSG& message);
};
