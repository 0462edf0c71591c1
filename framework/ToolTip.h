// A tooltip control for parts of a window that are no windows of their own
// (a static picture that lets its mouse messages through to its dialog).
#pragma once

#include <windows.h>

#include <string>

class CToolTip {
public:
    CToolTip() = default;
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;
    ~CToolTip();

    // The tip shows over the rectangle (in the owner's client coordinates)
    // while the mouse rests there; an empty text removes it.
    void SetTip(HWND owner, UINT id, const RECT& area, const std::string& text);
    // The text shown for the id, empty for none.
    const std::string& Tip() const { return text; }

private:
    HWND window = nullptr;
    bool added = false;
    std::string text;
};
