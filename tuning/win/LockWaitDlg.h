// The small "Locking, please wait" window shown while a lock waits for the
// card (148). It has no handlers: the user-interface thread is busy meanwhile.
// The window is made once and shown and hidden for each lock: under Wine a
// new top-level window costs milliseconds that every Lock Test would wait.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CLockWaitDlg : public CDialog {
public:
    CLockWaitDlg();
    ~CLockWaitDlg() override;

    // Shows the window centred over its owner's top-level window with a label
    // holding text, and paints it at once. The window is made at the first
    // show, and made again when its owner is another or is gone.
    bool Open(HWND owner, const std::string& text);
    // Hides the window; it stays for the next lock.
    void Close();
    // Makes the window ahead of its first show, hidden.
    bool Prepare(HWND owner);

private:
    HWND label = nullptr;
    HWND madeFor = nullptr;   // the owner the window was made for
};
