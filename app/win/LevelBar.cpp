#include "app/win/LevelBar.h"

bool CLevelBar::Create(HWND dialog, const RECT& rect)
{
    HWND bar =
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, dialog, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLevelBarId)),
                        GetModuleHandleA(nullptr), nullptr);
    if (bar == nullptr)
        return false;
    outerRect = rect;
    fillRect = RECT{rect.left, rect.top, rect.left, rect.bottom};
    return Subclass(bar);
}

CLevelBar::~CLevelBar()
{
    HWND bar = window;
    Unsubclass();
    if (bar != nullptr && IsWindow(bar))
        DestroyWindow(bar);
}

void CLevelBar::SetRects(const RECT& outer, const RECT& fill)
{
    outerRect = outer;
    fillRect = fill;
}

void CLevelBar::Draw(COLORREF newColour)
{
    colour = newColour;
    InvalidateRect(window, nullptr, TRUE);
}

void CLevelBar::SetTip(const std::string& text)
{
    RECT client{};
    GetClientRect(window, &client);
    tip.SetTip(window, 1, client, text);
}

void CLevelBar::Paint(HDC dc) const
{
    const int width = outerRect.right - outerRect.left;
    const int height = outerRect.bottom - outerRect.top;
    RECT frame{0, 0, width, height};
    FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT fill{0, 0, fillRect.right - fillRect.left, fillRect.bottom - fillRect.top};
    InflateRect(&fill, -1, -1);
    if (IsRectEmpty(&fill))
        return;
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &fill, brush);
    DeleteObject(brush);
}
