#include "app/win/SignalPlotView.h"

#include "app/SignalPlot.h"
#include "app/win/PlotDrawing.h"
#include "framework/UiText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// "0.5" or "2000": a step of the data-rate scale.
std::string ScaleText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, value == std::floor(value) ? "%.0f" : "%.1f", value);
    return text;
}

void DrawPeakMark(HDC dc, const std::optional<PeakMark>& mark, const BarRect& area, COLORREF colour, int size)
{
    if (!mark)
        return;
    DrawPolyline(dc, {{area.left, mark->y}, {area.right, mark->y}}, colour, 1, PS_DOT);
    if (!mark->x)
        return;
    // A small triangle pointing down at where the peak was reached.
    const POINT corners[] = {
        {*mark->x - size, mark->y - 2 * size}, {*mark->x + size, mark->y - 2 * size}, {*mark->x, mark->y}};
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    Polygon(dc, corners, 3);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

}   // namespace

bool CSignalPlotView::Attach(HWND placeholder, const SignalHistory& shownHistory)
{
    history = &shownHistory;
    return Subclass(placeholder);
}

void CSignalPlotView::SetTexts(const SignalPlotTexts& texts)
{
    labels = texts;
    Refresh();
}

void CSignalPlotView::ShowLargeNumbers(bool large)
{
    largeNumbers = large;
    Refresh();
}

void CSignalPlotView::Refresh() const
{
    if (window == nullptr)
        return;
    // The numbers are painted: the view's text carries them for screen readers.
    const std::optional<MinuteStatistics> minute =
        LastMinute(history->Samples(), static_cast<std::int64_t>(GetTickCount64()));
    const std::string summary = labels.peak + ": " + labels.strength + " " + PeakText(history->Peaks().Strength()) +
                                ", " + labels.quality + " " + PeakText(history->Peaks().Quality()) + "\n" +
                                labels.lastMinute + ": " + labels.strength + " " +
                                (minute ? RangeText(minute->strength) : "-") + ", " + labels.quality + " " +
                                (minute ? RangeText(minute->quality) : "-");
    SetWindowTextW(window, WideText(summary).c_str());
    InvalidateRect(window, nullptr, FALSE);
}

bool CSignalPlotView::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Only kept: the static control would paint the text over the view.
    if (message == WM_SETTEXT) {
        result = DefWindowProcW(window, message, wParam, lParam);
        return true;
    }
    return CPaintedControl::OnSubclassMessage(message, wParam, lParam, result);
}

void CSignalPlotView::Paint(HDC dc) const
{
    RECT client{};
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (memory != nullptr && bitmap != nullptr && history != nullptr) {
        HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
        auto font = reinterpret_cast<HFONT>(SendMessageA(GetParent(window), WM_GETFONT, 0, 0));
        HGDIOBJ previousFont = SelectObject(memory, font);
        FillSolid(memory, client, RGB(255, 255, 255));
        SetBkMode(memory, TRANSPARENT);
        if (largeNumbers)
            DrawLargeNumbers(memory, client);
        else
            DrawPlot(memory, client, static_cast<std::int64_t>(GetTickCount64()));
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previousFont);
        SelectObject(memory, previousBitmap);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    if (memory != nullptr)
        DeleteDC(memory);
}

void CSignalPlotView::DrawPlot(HDC dc, const RECT& client, std::int64_t now) const
{
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight;
    const int gap = Scaled(dc, 4);
    double highestRate = 0;
    for (const RateSample& rate : history->Rates())
        highestRate = std::max(highestRate, rate.kbps);
    const double rateTop = RateScaleTop(highestRate);
    const std::string rateTopText = ScaleText(rateTop) + " " + labels.kbps;

    const int bandHeight = Scaled(dc, 10);
    const int numbersHeight = 3 * lineHeight;
    const BarRect area{TextSize(dc, "100%").cx + 2 * gap, lineHeight + 2 * gap,
                       client.right - TextSize(dc, rateTopText).cx - 2 * gap,
                       client.bottom - numbersHeight - bandHeight - lineHeight - 4 * gap};
    if (area.right - area.left < 10 || area.bottom - area.top < 10)
        return;

    for (int percent = 0; percent <= 100; percent += 25) {
        const int y = area.bottom - (area.bottom - area.top) * percent / 100;
        FillSolid(dc, RECT{area.left, y, area.right, y + 1}, kGridColour);
        if (percent % 50 == 0) {
            DrawTextAt(dc, area.left - gap, y - lineHeight / 2, PercentText(percent), kTextColour, TA_RIGHT | TA_TOP);
            const std::string rate = percent == 100 ? rateTopText : ScaleText(rateTop * percent / 100);
            DrawTextAt(dc, area.right + gap, y - lineHeight / 2, rate, kRateColour, TA_LEFT | TA_TOP);
        }
    }
    const int lineWidth = Scaled(dc, 2);
    DrawPolyline(dc, RateLine(*history, now, area, rateTop), kRateColour, std::max(1, lineWidth / 2));
    DrawPolyline(dc, PlotLine(*history, now, area, &SignalSample::quality), kQualityColour, lineWidth);
    DrawPolyline(dc, PlotLine(*history, now, area, &SignalSample::strength), kStrengthColour, lineWidth);
    const int markSize = Scaled(dc, 4);
    DrawPeakMark(dc, PeakMarkAt(history->Peaks().Quality(), now, area), area, kQualityColour, markSize);
    DrawPeakMark(dc, PeakMarkAt(history->Peaks().Strength(), now, area), area, kStrengthColour, markSize);

    const int bandTop = area.bottom + gap;
    for (const LockStretch& stretch : LockBand(*history, now, area.left, area.right))
        FillSolid(dc, RECT{stretch.left, bandTop, stretch.right, bandTop + bandHeight},
                  stretch.locked ? kLockedColour : kUnlockedColour);
    const int timeTop = bandTop + bandHeight + gap / 2;
    DrawTextAt(dc, area.left, timeTop, "-10 " + labels.minutes, kTextColour, TA_LEFT | TA_TOP);
    DrawTextAt(dc, (area.left + area.right) / 2, timeTop, "-5 " + labels.minutes, kTextColour, TA_CENTER | TA_TOP);
    DrawTextAt(dc, area.right, timeTop, "0", kTextColour, TA_RIGHT | TA_TOP);

    DrawLegend(dc, area.left, gap, lineWidth);
    DrawNumbers(dc, gap, timeTop + lineHeight + gap, now);
}

// The latest values, as the caption gives them too.
void CSignalPlotView::DrawLegend(HDC dc, int x, int y, int lineWidth) const
{
    std::string strength = labels.strength, quality = labels.quality, speed = labels.speed;
    if (!history->Samples().empty()) {
        strength.append(" ").append(PercentText(history->Samples().back().strength));
        quality.append(" ").append(PercentText(history->Samples().back().quality));
    }
    if (!history->Rates().empty())
        speed.append(" ").append(KbpsText(history->Rates().back().kbps)).append(" ").append(labels.kbps);
    const int middle = y + TextSize(dc, "Ag").cy / 2;
    for (const auto& [text, colour] : {std::pair{strength, kStrengthColour}, std::pair{quality, kQualityColour},
                                       std::pair{speed, kRateColour}, std::pair{labels.locked, kLockedColour}}) {
        FillSolid(dc, RECT{x, middle - lineWidth, x + Scaled(dc, 16), middle + lineWidth}, colour);
        x += Scaled(dc, 20);
        DrawTextAt(dc, x, y, text, kTextColour, TA_LEFT | TA_TOP);
        x += TextSize(dc, text).cx + Scaled(dc, 14);
    }
}

void CSignalPlotView::DrawNumbers(HDC dc, int left, int top, std::int64_t now) const
{
    const SignalPeaks& peaks = history->Peaks();
    const std::optional<MinuteStatistics> minute = LastMinute(history->Samples(), now);
    const std::string cells[3][3] = {
        {"", labels.strength, labels.quality},
        {labels.peak, PeakText(peaks.Strength()), PeakText(peaks.Quality())},
        {labels.lastMinute, minute ? RangeText(minute->strength) : "-", minute ? RangeText(minute->quality) : "-"},
    };
    const int gap = Scaled(dc, 4);
    int columns[3] = {left, 0, 0};
    for (int column = 1; column < 3; ++column) {
        int widest = 0;
        for (const auto& row : cells)
            widest = std::max(widest, static_cast<int>(TextSize(dc, row[column - 1]).cx));
        columns[column] = columns[column - 1] + widest + 4 * gap;
    }
    const COLORREF colours[3] = {kTextColour, kStrengthColour, kQualityColour};
    const int lineHeight = TextSize(dc, "Ag").cy;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            DrawTextAt(dc, columns[column], top + row * lineHeight, cells[row][column], colours[column],
                       TA_LEFT | TA_TOP);
}
