#include "tuning/win/LockWaitDlg.h"

#include "framework/UiText.h"
#include "resources/resource.h"

namespace {
// The harness and the accessibility tools read the text of control 65535.
constexpr int kLabelId = 0xFFFF;
}   // namespace

CLockWaitDlg::CLockWaitDlg() : CDialog(IDD_LOCK_WAIT) {}

CLockWaitDlg::~CLockWaitDlg() { Destroy(); }

bool CLockWaitDlg::Prepare(HWND owner)
{
    if (owner == nullptr)
        return false;
    if (hwnd != nullptr && madeFor == owner)
        return true;
    Destroy();
    if (!Create(owner))
        return false;
    madeFor = owner;
    RECT client{};
    GetClientRect(hwnd, &client);
    label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, client.right,
                            client.bottom, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)),
                            GetModuleHandleA(nullptr), nullptr);
    if (label != nullptr)
        SendMessageA(label, WM_SETFONT, SendMessageA(hwnd, WM_GETFONT, 0, 0), FALSE);
    return true;
}

bool CLockWaitDlg::Open(HWND owner, const std::string& text)
{
    if (!Prepare(owner))
        return false;
    if (label != nullptr)
        SetWindowTextW(label, WideText(text).c_str());
    RECT own{};
    GetWindowRect(hwnd, &own);
    RECT area{};
    HWND top = GetAncestor(owner, GA_ROOT);
    GetWindowRect(top != nullptr ? top : GetDesktopWindow(), &area);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(hwnd, HWND_TOP, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // The thread blocks in the wait next: paint now.
    UpdateWindow(hwnd);
    return true;
}

void CLockWaitDlg::Close()
{
    if (hwnd != nullptr)
        ShowWindow(hwnd, SW_HIDE);
}
