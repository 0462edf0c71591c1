// A control that paints all of itself: no background erase (which would
// flicker), and WM_PAINT handed to Paint with the paint context.
#pragma once

#include "framework/Window.h"

class CPaintedControl : public CSubclass {
protected:
    bool OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    virtual void Paint(HDC dc) const = 0;
};
