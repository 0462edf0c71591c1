#include "framework/TabPage.h"

namespace {

bool HasClass(HWND window, const char* name)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

bool IsPushButton(HWND window)
{
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return HasClass(window, "Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// The page's own control that holds `window` (a combo box holds its edit).
HWND PageControlOf(HWND page, HWND window)
{
    while (window != nullptr && GetParent(window) != page)
        window = GetParent(window);
    return window;
}

// An open drop-down list takes Enter (pick) and Escape (close) itself.
bool IsOpenDropDown(HWND window)
{
    return HasClass(window, "ComboBox") && SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

// A key press, release or character of this key.
bool IsKeyMessage(const MSG& message, WPARAM key)
{
    const bool keyboard = message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR;
    return keyboard && message.wParam == key;
}

}   // namespace

bool CTabPage::PreTranslateMessage(const MSG& message)
{
    if (keepsEscape && IsKeyMessage(message, VK_ESCAPE))
        return !IsOpenDropDown(message.hwnd);
    if (!IsKeyMessage(message, VK_RETURN))
        return false;
    HWND control = PageControlOf(hwnd, message.hwnd);
    if (control != nullptr && IsOpenDropDown(control))
        return false;
    if (message.message != WM_KEYDOWN || control == nullptr)
        return true;
    const WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(control));
    if (IsPushButton(control)) {
        if (enterPressesButtons)
            SendMessageA(control, BM_CLICK, 0, 0);
    } else if (HasClass(control, "Edit")) {
        // Committing puts the text back, which moves the caret to the start;
        // the user goes on typing where they were.
        DWORD start = 0, end = 0;
        SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(control));
        SendMessageA(control, EM_SETSEL, start, end);
    } else if (HasClass(control, "ComboBox"))
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(control));
    return true;
}

void CTabPage::PutFieldsIntoControls()
{
    CQuietFill quiet(filling);
    UpdateData(false);
}

HWND CTabPage::MessageOwner() const
{
    HWND top = GetAncestor(hwnd, GA_ROOT);
    return top != nullptr ? top : hwnd;
}
