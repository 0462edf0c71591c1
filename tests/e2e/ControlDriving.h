// Controls of another process, read and changed as the user would: found by
// the identifiers of resources/resource.h, clicked, typed into and chosen.
// Items that are structures (tabs, list rows) go through memory in the
// target process.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// WM_GETTEXT crosses processes for every window class.
std::string WindowText(HWND window);
std::wstring WideWindowText(HWND window);

// A control anywhere below root (pages included); the visible one of those
// with the identifier (the hold buttons share theirs with hidden buttons).
HWND FindControl(HWND root, int id);
HWND FindVisibleControl(HWND root, int id);

// A click as the user makes it, posted so that a modal dialog it opens does
// not block the test.
void Click(HWND control);
// A WM_COMMAND notification from the control, handled before this returns.
void SendNotification(HWND control, WORD code);
// Sets an edit control's text (the control tells its parent, as on typing).
void SetText(HWND control, const std::string& text);
// Types the text and leaves the control, as the user does.
void EnterText(HWND control, const std::string& text, WORD killFocusCode = EN_KILLFOCUS);
// Characters typed over an edit control's whole text as the keyboard does:
// posted, so that a message box that a character brings up does not block.
void TypeChars(HWND edit, const std::string& text);
// Keys pressed in an edit control, then in its page, posted so that they pass
// through the program's message loop as typed keys do; true once handled.
bool PostKeys(HWND edit, std::initializer_list<WPARAM> keys);
// Checks a check box and tells the page, as a click does.
void Check(HWND box);
// Checks one radio button of a group, unchecks the others, and tells the page.
void ChooseRadio(HWND dialog, int chosenId, const std::vector<int>& groupIds);

// A combo box item chosen as the user does, handled before this returns.
void ChooseItemNow(HWND combo, int index);
std::vector<std::string> ComboTexts(HWND combo);
int ComboSelection(HWND combo);

std::vector<std::wstring> TabWideTexts(HWND tab);
// A list view's column headings; the texts of one column, the image of each
// row, and the selection.
std::vector<std::string> ListViewHeadings(HWND list);
std::vector<std::string> ListViewTexts(HWND list, int column);
std::vector<int> ListViewImages(HWND list);
void SelectListRow(HWND list, int row);
