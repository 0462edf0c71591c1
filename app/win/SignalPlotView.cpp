#include "app/win/SignalPlotView.h"

#include "app/SignalPlot.h"
#include "framework/UiText.h"

namespace {

const COLORREF kStrengthColour = RGB(0, 90, 200);
const COLORREF kQualityColour = RGB(220, 110, 0);
const COLORREF kLockedColour = RGB(0, 170, 0);
const COLORREF kUnlockedColour = RGB(220, 0, 0);
const COLORREF kGridColour = RGB(215, 215, 215);

// Pixels at the window's resolution for a length given at 96 DPI.
int Scaled(HDC dc, int pixelsAt96)
{
    return MulDiv(pixelsAt96, GetDeviceCaps(dc, LOGPIXELSY), 96);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void DrawLine(HDC dc, const std::vector<PlotPoint>& points, COLORREF colour, int width)
{
    if (points.size() < 2)
        return;
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(dc, points[i].x, points[i].y);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void DrawText(HDC dc, int x, int y, const std::string& text, COLORREF colour, UINT align)
{
    SetTextColor(dc, colour);
    SetTextAlign(dc, align);
    const std::wstring wide = WideText(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

} // namespace

bool CSignalPlotView::Attach(HWND placeholder, const SignalHistory& shownHistory)
{
    history = &shownHistory;
    return Subclass(placeholder);
}

void CSignalPlotView::Refresh() const
{
    InvalidateRect(window, nullptr, FALSE);
}

void CSignalPlotView::Paint(HDC dc) const
{
    RECT client{};
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
        auto font = reinterpret_cast<HFONT>(SendMessageA(GetParent(window), WM_GETFONT, 0, 0));
        HGDIOBJ previousFont = SelectObject(memory, font);
        Draw(memory, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previousFont);
        SelectObject(memory, previousBitmap);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    if (memory != nullptr)
        DeleteDC(memory);
}

void CSignalPlotView::Draw(HDC dc, const RECT& client) const
{
    FillSolid(dc, client, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight;
    const int gap = Scaled(dc, 4);
    SIZE labelSize{};
    GetTextExtentPoint32A(dc, "100%", 4, &labelSize);

    const int bandHeight = Scaled(dc, 10);
    const BarRect area{labelSize.cx + 2 * gap, lineHeight + 2 * gap, client.right - 3 * gap,
                       client.bottom - bandHeight - lineHeight - 3 * gap};
    if (area.right - area.left < 10 || area.bottom - area.top < 10)
        return;
    const std::int64_t now = static_cast<std::int64_t>(GetTickCount64());

    for (int percent = 0; percent <= 100; percent += 25) {
        const int y = area.bottom - (area.bottom - area.top) * percent / 100;
        FillSolid(dc, RECT{area.left, y, area.right, y + 1}, kGridColour);
        if (percent % 50 == 0)
            DrawText(dc, area.left - gap, y - lineHeight / 2, PercentText(percent), RGB(0, 0, 0), TA_RIGHT | TA_TOP);
    }
    const int lineWidth = Scaled(dc, 2);
    DrawLine(dc, PlotLine(*history, now, area, &SignalSample::quality), kQualityColour, lineWidth);
    DrawLine(dc, PlotLine(*history, now, area, &SignalSample::strength), kStrengthColour, lineWidth);

    const int bandTop = area.bottom + gap;
    for (const LockStretch& stretch : LockBand(*history, now, area.left, area.right))
        FillSolid(dc, RECT{stretch.left, bandTop, stretch.right, bandTop + bandHeight},
                  stretch.locked ? kLockedColour : kUnlockedColour);
    const int timeTop = bandTop + bandHeight + gap / 2;
    DrawText(dc, area.left, timeTop, "-10 " + labels.minutes, RGB(0, 0, 0), TA_LEFT | TA_TOP);
    DrawText(dc, (area.left + area.right) / 2, timeTop, "-5 " + labels.minutes, RGB(0, 0, 0), TA_CENTER | TA_TOP);
    DrawText(dc, area.right, timeTop, "0", RGB(0, 0, 0), TA_RIGHT | TA_TOP);

    // Legend with the latest values, as the caption gives them too.
    std::string strength = labels.strength, quality = labels.quality;
    if (!history->Samples().empty()) {
        strength += " " + PercentText(history->Samples().back().strength);
        quality += " " + PercentText(history->Samples().back().quality);
    }
    int x = area.left;
    for (const auto& [text, colour] : {std::pair{strength, kStrengthColour}, std::pair{quality, kQualityColour},
                                       std::pair{labels.locked, kLockedColour}}) {
        FillSolid(dc, RECT{x, gap + lineHeight / 2 - lineWidth, x + Scaled(dc, 16), gap + lineHeight / 2 + lineWidth},
                  colour);
        x += Scaled(dc, 20);
        DrawText(dc, x, gap, text, RGB(0, 0, 0), TA_LEFT | TA_TOP);
        const std::wstring wide = WideText(text);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        x += size.cx + Scaled(dc, 16);
    }
}
