// The large-numbers view of the signal window: quality on the left and
// strength on the right, each as the card reports it in figures filling
// the view, the peak below, and a band that is green while the card reports
// a lock and red while it does not.
#include "app/win/SignalPlotView.h"

#include "app/win/PlotDrawing.h"

#include <algorithm>

namespace {

struct LargeValue {
    const std::string& name;
    std::string value;
    std::string peak;
    COLORREF colour;
};

void DrawInFont(HDC dc, HFONT font, int x, int y, const std::string& text, COLORREF colour)
{
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    DrawTextAt(dc, x, y, text, colour, TA_CENTER | TA_TOP);
    if (previous != nullptr)
        SelectObject(dc, previous);
}

}   // namespace

void CSignalPlotView::DrawLargeNumbers(HDC dc, const RECT& client) const
{
    const int gap = Scaled(dc, 6);
    const int clientWidth = static_cast<int>(client.right);
    const int clientHeight = static_cast<int>(client.bottom);
    const int lineHeight = TextSize(dc, "Ag").cy;
    const int bandHeight = std::max(Scaled(dc, 24), clientHeight / 8);
    const int width = clientWidth / 2;
    int numberHeight = std::clamp((clientHeight - bandHeight) * 9 / 20, 8, 2000);
    const int peakHeight = std::min(std::max(numberHeight / 4, lineHeight), bandHeight);

    const SignalSample* latest = history->Samples().empty() ? nullptr : &history->Samples().back();
    const SignalPeaks& peaks = history->Peaks();
    const LargeValue values[2] = {
        {labels.quality, latest != nullptr ? PercentText(latest->quality) : "-",
         labels.peak + " " + (peaks.Quality() ? PercentText(peaks.Quality()->value) : "-"), kQualityColour},
        {labels.strength, latest != nullptr ? PercentText(latest->strength) : "-",
         labels.peak + " " + (peaks.Strength() ? PercentText(peaks.Strength()->value) : "-"), kStrengthColour},
    };
    HFONT numberFont = CreateSizedFont(numberHeight, true);
    // The widest figure a card reports still fits its half.
    if (numberFont != nullptr) {
        HGDIOBJ previous = SelectObject(dc, numberFont);
        const int widest = static_cast<int>(TextSize(dc, "100%").cx);
        SelectObject(dc, previous);
        if (widest > width * 9 / 10) {
            DeleteObject(numberFont);
            numberHeight = std::max(8, numberHeight * (width * 9 / 10) / widest);
            numberFont = CreateSizedFont(numberHeight, true);
        }
    }
    HFONT textFont = CreateSizedFont(peakHeight, false);
    const int contentHeight = peakHeight + numberHeight + peakHeight + 2 * gap;
    const int top = std::max(gap, (clientHeight - bandHeight - contentHeight) / 2);
    for (int i = 0; i < 2; ++i) {
        const int centre = width * i + width / 2;
        DrawInFont(dc, textFont, centre, top, values[i].name, kTextColour);
        DrawInFont(dc, numberFont, centre, top + peakHeight + gap, values[i].value, values[i].colour);
        DrawInFont(dc, textFont, centre, top + peakHeight + numberHeight + 2 * gap, values[i].peak, values[i].colour);
    }

    const RECT band{0, clientHeight - bandHeight, clientWidth, clientHeight};
    const bool locked = latest != nullptr && latest->Locked();
    FillSolid(dc, band, locked ? kLockedColour : kUnlockedColour);
    if (locked)
        DrawInFont(dc, textFont, clientWidth / 2, band.top + (bandHeight - peakHeight) / 2, labels.locked,
                   RGB(255, 255, 255));
    for (HFONT font : {numberFont, textFont})
        if (font != nullptr)
            DeleteObject(font);
}
