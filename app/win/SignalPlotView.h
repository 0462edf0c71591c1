// The signal window's plot: strength and quality as two lines over the last
// ten minutes, the lock state as a band under them. Painted through a memory
// bitmap so that the twice-a-second refresh does not flicker.
#pragma once

#include "app/SignalHistory.h"
#include "app/win/PaintedControl.h"

#include <string>

struct SignalPlotTexts {
    std::string strength = "Strength";
    std::string quality = "Quality";
    std::string locked = "Locked";
    std::string minutes = "min";
};

class CSignalPlotView : public CPaintedControl {
public:
    // Paints over the static control; the history must outlive the view.
    bool Attach(HWND placeholder, const SignalHistory& shownHistory);
    void SetTexts(const SignalPlotTexts& texts) { labels = texts; }
    void Refresh() const;

private:
    // Draws into a memory bitmap first, then copies it in one step.
    void Paint(HDC dc) const override;
    void Draw(HDC dc, const RECT& client) const;

    const SignalHistory* history = nullptr;
    SignalPlotTexts labels;
};
