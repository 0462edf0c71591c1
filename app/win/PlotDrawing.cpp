#include "app/win/PlotDrawing.h"

#include "framework/UiText.h"

int Scaled(HDC dc, int pixelsAt96) { return MulDiv(pixelsAt96, GetDeviceCaps(dc, LOGPIXELSY), 96); }

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void DrawPolyline(HDC dc, const std::vector<PlotPoint>& points, COLORREF colour, int width, int style)
{
    if (points.size() < 2)
        return;
    HPEN pen = CreatePen(style, width, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(dc, points[i].x, points[i].y);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void DrawTextAt(HDC dc, int x, int y, const std::string& text, COLORREF colour, UINT align)
{
    SetTextColor(dc, colour);
    SetTextAlign(dc, align);
    const std::wstring wide = WideText(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

SIZE TextSize(HDC dc, const std::string& text)
{
    const std::wstring wide = WideText(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

HFONT CreateSizedFont(int pixelHeight, bool bold)
{
    // A scalable face: the dialog's "MS Sans Serif" is a bitmap font.
    return CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Tahoma");
}
