// Tab controls, list views and combo boxes of another process, read and
// changed as the user would. Items that are structures go through memory in
// the target process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Texts of a tab control's tabs, read through the target process's memory.
std::vector<std::string> TabTexts(HWND tab);
std::vector<std::wstring> TabWideTexts(HWND tab);
// A list view's rows, read and changed through the target process's memory:
// the texts of one column, the image of each row, and the selection.
std::vector<std::string> ListViewTexts(HWND list, int column);
std::vector<int> ListViewImages(HWND list);
// Selects and focuses the row, as a click on it does.
void SelectListRow(HWND list, int row);
// A combo box: selects the item and tells the parent as a user choice does.
void ChooseComboItem(HWND combo, int index);
std::vector<std::string> ComboTexts(HWND combo);
int ComboSelection(HWND combo);
