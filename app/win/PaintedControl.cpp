#include "app/win/PaintedControl.h"

bool CPaintedControl::OnSubclassMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    if (message == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (message != WM_PAINT)
        return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Paint(dc);
    EndPaint(window, &paint);
    result = 0;
    return true;
}
