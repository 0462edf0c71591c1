// Controls of another process, read and changed as the user would: found by
// the identifiers of resources/resource.h, clicked, typed into and chosen.
// Items that are structures (tabs, list rows) go through memory in the
// target process.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// A message sent with a bound, so that a hung program does not hang the test.
inline LRESULT SendQuietly(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 15000, &result);
    return static_cast<LRESULT>(result);
}

// WM_GETTEXT crosses processes for every window class.
std::string WindowText(HWND window);
std::wstring WideWindowText(HWND window);

// A control anywhere below root (pages included); the visible one of those
// with the identifier (the hold buttons share theirs with hidden buttons).
HWND FindControl(HWND root, int id, bool visibleOnly = false);
inline HWND FindVisibleControl(HWND root, int id) { return FindControl(root, id, true); }

// A click as the user makes it, posted so that a modal dialog it opens does
// not block the test.
inline void Click(HWND control)
{
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED), LPARAM(control));
}
// A WM_COMMAND notification from the control, handled before this returns.
inline void SendNotification(HWND control, WORD code)
{
    SendQuietly(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), LPARAM(control));
}
// Sets an edit control's text (the control tells its parent, as on typing).
inline void SetText(HWND control, const std::string& text)
{
    SendQuietly(control, WM_SETTEXT, 0, LPARAM(text.c_str()));
}
// Types the text and leaves the control, as the user does.
inline void EnterText(HWND control, const std::string& text, WORD killFocusCode = EN_KILLFOCUS)
{
    SetText(control, text);
    SendNotification(control, killFocusCode);
}
// Characters typed over an edit control's whole text as the keyboard does:
// posted, so that a message box that a character brings up does not block.
void TypeChars(HWND edit, const std::string& text);
// Keys pressed in an edit control, then in its page, posted so that they pass
// through the program's message loop as typed keys do; true once handled.
bool PostKeys(HWND edit, std::initializer_list<WPARAM> keys);
// Checks a check box, or one radio button of a group (unchecking the
// others), and tells the page, as a click does.
void ChooseRadio(HWND dialog, int chosenId, const std::vector<int>& groupIds);
inline void Check(HWND box)
{
    SendQuietly(box, BM_SETCHECK, BST_CHECKED, 0);
    SendNotification(box, BN_CLICKED);
}

// A combo box item chosen as the user does, handled before this returns.
inline void ChooseItemNow(HWND combo, int index)
{
    SendQuietly(combo, CB_SETCURSEL, WPARAM(index), 0);
    SendNotification(combo, CBN_SELCHANGE);
}
std::vector<std::string> ComboTexts(HWND combo);
inline int ComboSelection(HWND combo) { return int(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

std::vector<std::wstring> TabWideTexts(HWND tab);
// A list view's column headings; the texts of one column, the image of each
// row, and the selection.
std::vector<std::string> ListViewHeadings(HWND list);
std::vector<std::string> ListViewTexts(HWND list, int column);
std::vector<int> ListViewImages(HWND list);
void SelectListRow(HWND list, int row);
