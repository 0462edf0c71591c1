// Keyboard access to the pages. The tab control holds the pages as its
// children and is a control parent, so the dialog manager's Tab order runs
// through the shown page's controls but never stops on the tab strip itself;
// Ctrl+Tab and Ctrl+PgDn would reach the focused control (a combo box took
// Ctrl+PgDn as "last item") instead of switching pages.
#include "app/win/MainDlg.h"

#include "resources/resource.h"

namespace {

bool IsWithin(HWND ancestor, HWND window)
{
    return window != nullptr && (window == ancestor || IsChild(ancestor, window) != FALSE);
}

bool IsKeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

} // namespace

bool CMainDlg::PreTranslateMessage(const MSG& message)
{
    if (message.message != WM_KEYDOWN || !IsWithin(hwnd, message.hwnd))
        return false;
    const bool control = IsKeyDown(VK_CONTROL);
    const bool shift = IsKeyDown(VK_SHIFT);
    if (control && (message.wParam == VK_TAB || message.wParam == VK_NEXT || message.wParam == VK_PRIOR)) {
        const bool back = message.wParam == VK_PRIOR || (message.wParam == VK_TAB && shift);
        tabControl.ShowNextPage(back ? -1 : 1);
        return true;
    }
    if (message.wParam == VK_TAB && !control)
        return MoveFocusAroundTabStrip(shift);
    return false;
}

bool CMainDlg::MoveFocusAroundTabStrip(bool backwards)
{
    HWND tabs = Item(IDC_MAIN_TAB);
    HWND focus = GetFocus();
    if (tabs == nullptr || focus == nullptr || !IsWindowEnabled(tabs))
        return false;
    HWND page = nullptr;
    if (CTabPage* shown = tabControl.ShownPage())
        page = shown->GetSafeHwnd();
    HWND firstInPage = page != nullptr ? GetNextDlgTabItem(page, nullptr, FALSE) : nullptr;
    if (firstInPage != nullptr && !IsWithin(page, firstInPage))
        firstInPage = nullptr;

    HWND target = nullptr;
    if (focus == tabs) {
        // Forward into the page; backward to what comes before the strip.
        target = backwards ? GetNextDlgTabItem(hwnd, firstInPage != nullptr ? firstInPage : tabs, TRUE)
                           : firstInPage;
    } else {
        HWND next = GetNextDlgTabItem(hwnd, focus, backwards);
        const bool entering = !backwards && !IsWithin(tabs, focus) && IsWithin(tabs, next);
        const bool leaving = backwards && IsWithin(tabs, focus) && !IsWithin(tabs, next);
        if (entering || leaving)
            target = tabs;
    }
    if (target == nullptr)
        return false;
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    return true;
}
