#include "tuning/win/HoldButton.h"

CHoldButton::~CHoldButton() { Destroy(); }

bool CHoldButton::Create(HWND parent, const std::string& caption, const RECT& rect, int id, HFONT font)
{
    HWND button =
        CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (button == nullptr)
        return false;
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return Subclass(button);
}

void CHoldButton::Destroy()
{
    HWND button = window;
    Unsubclass();
    if (button != nullptr && IsWindow(button))
        DestroyWindow(button);
}

void CHoldButton::Notify(UINT message) const
{
    PostMessageA(GetParent(window), message, reinterpret_cast<WPARAM>(window), tag);
}

bool CHoldButton::OnSubclassMessage(UINT message, WPARAM, LPARAM, LRESULT&)
{
    switch (message) {
    // A quick second click arrives as a double click: it is a press as well.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        held = true;
        Notify(kHoldButtonPressed);
        break;
    case WM_LBUTTONUP:
        held = false;
        Notify(kHoldButtonReleased);
        break;
    case WM_CAPTURECHANGED:
        // The button lost the mouse while held (a window popped up, another
        // program took the capture): no button-up will come, so the motor
        // must be stopped now.
        if (held) {
            held = false;
            Notify(kHoldButtonReleased);
        }
        break;
    default: break;
    }
    return false;   // the button's own handling follows: it shows itself pressed and released
}
