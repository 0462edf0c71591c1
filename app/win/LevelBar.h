// A signal level bar: a black frame filled in proportion to the value, green
// while locked and red otherwise. It paints itself from the rectangles and
// colour it was last given.
#pragma once

#include "app/win/PaintedControl.h"
#include "framework/ToolTip.h"

#include <string>

// Both bars carry this identifier; a double click on either tells the
// dialog with STN_DBLCLK.
constexpr WORD kLevelBarId = 0xFFFF;

class CLevelBar : public CPaintedControl {
public:
    // Creates the bar as a child of the dialog over rect (dialog client coordinates).
    bool Create(HWND dialog, const RECT& rect);
    ~CLevelBar() override;

    void SetRects(const RECT& outer, const RECT& fill);
    // Takes the colour and repaints the bar with it.
    void Draw(COLORREF colour);
    // The tip shown while the mouse rests on the bar; empty for none.
    void SetTip(const std::string& text);

private:
    void Paint(HDC dc) const override;

    RECT outerRect{};
    RECT fillRect{};
    COLORREF colour = RGB(255, 0, 0);
    CToolTip tip;
};
