// The small "Locking, please wait" window shown while a lock waits for the
// card (148). It has no handlers: the user-interface thread is busy meanwhile.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CLockWaitDlg : public CDialog {
public:
    CLockWaitDlg();
    ~CLockWaitDlg() override;

    // Creates the window centred over its parent with a label holding text.
    bool Open(HWND parent, const std::string& text);

private:
    HWND label = nullptr;
};
