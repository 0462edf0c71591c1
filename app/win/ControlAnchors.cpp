#include "app/win/ControlAnchors.h"

void CControlAnchors::Capture(HWND dialog, std::initializer_list<Anchor> controls)
{
    RECT client{};
    GetClientRect(dialog, &client);
    initialClient = SIZE{client.right, client.bottom};
    placed.clear();
    for (const Anchor& anchor : controls) {
        RECT rect{};
        GetWindowRect(GetDlgItem(dialog, anchor.id), &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        placed.push_back({anchor.id, anchor.edges, rect});
    }
}

void CControlAnchors::Layout(HWND dialog) const
{
    if (placed.empty())
        return;
    RECT client{};
    GetClientRect(dialog, &client);
    const int dx = client.right - initialClient.cx;
    const int dy = client.bottom - initialClient.cy;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(placed.size()));
    for (const Placed& control : placed) {
        RECT place = control.initial;
        place.left += (control.edges & kLeft) ? dx : 0;
        place.right += (control.edges & kRight) ? dx : 0;
        place.top += (control.edges & kTop) ? dy : 0;
        place.bottom += (control.edges & kBottom) ? dy : 0;
        if (moves != nullptr)
            moves = DeferWindowPos(moves, GetDlgItem(dialog, control.id), nullptr, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves != nullptr)
        EndDeferWindowPos(moves);
}
