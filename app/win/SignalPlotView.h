// The signal window's view: strength, quality and the data rate as lines over
// the last ten minutes with the peaks marked, the lock state as a band under
// them and the peaks' and the last minute's numbers below; or, for the person
// at the dish, the current quality and strength in numbers large enough to
// read from a few metres away. Painted through a memory bitmap so that the
// twice-a-second refresh does not flicker.
#pragma once

#include "app/SignalHistory.h"
#include "app/win/PaintedControl.h"

#include <cstdint>
#include <string>

struct SignalPlotTexts {
    std::string strength = "Strength";
    std::string quality = "Quality";
    std::string locked = "Locked";
    std::string minutes = "min";
    std::string speed = "Speed:";
    std::string kbps = "kbps";
    std::string peak = "Peak";
    std::string lastMinute = "Last minute (lowest / mean / highest)";
};

class CSignalPlotView : public CPaintedControl {
public:
    // Paints over the static control; the history must outlive the view.
    bool Attach(HWND placeholder, const SignalHistory& shownHistory);
    void SetTexts(const SignalPlotTexts& texts);
    void ShowLargeNumbers(bool large);
    // Repaints, and gives the view the numbers as its text.
    void Refresh() const;

protected:
    bool OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Draws into a memory bitmap first, then copies it in one step.
    void Paint(HDC dc) const override;
    void DrawPlot(HDC dc, const RECT& client, std::int64_t nowMs) const;
    void DrawLegend(HDC dc, int x, int y, int lineWidth) const;
    // The peaks and the last minute's numbers in rows from the top down.
    void DrawNumbers(HDC dc, int left, int top, std::int64_t nowMs) const;
    // SignalLargeNumbers.cpp
    void DrawLargeNumbers(HDC dc, const RECT& client) const;

    const SignalHistory* history = nullptr;
    SignalPlotTexts labels;
    bool largeNumbers = false;
};
