#include "tuning/win/LockWaitDlg.h"

#include "framework/UiText.h"
#include "resources/resource.h"

CLockWaitDlg::CLockWaitDlg() : CDialog(IDD_LOCK_WAIT) {}

CLockWaitDlg::~CLockWaitDlg()
{
    if (label != nullptr && IsWindow(label))
        DestroyWindow(label);
    Destroy();
}

bool CLockWaitDlg::Open(HWND parent, const std::string& text)
{
    if (!Create(parent))
        return false;
    RECT own{};
    GetWindowRect(hwnd, &own);
    RECT area{};
    HWND top = GetAncestor(parent, GA_ROOT);
    GetWindowRect(top != nullptr ? top : GetDesktopWindow(), &area);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(hwnd, HWND_TOP, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOWNA);

    RECT client{};
    GetClientRect(hwnd, &client);
    label = CreateWindowExW(0, L"STATIC", WideText(text).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0,
                            client.right, client.bottom, hwnd, reinterpret_cast<HMENU>(0xFFFF),
                            GetModuleHandleA(nullptr), nullptr);
    if (label != nullptr)
        SendMessageA(label, WM_SETFONT, SendMessageA(hwnd, WM_GETFONT, 0, 0), FALSE);
    // The thread blocks in the wait next: paint now.
    UpdateWindow(hwnd);
    return true;
}
