#include "framework/DataExchange.h"

#include "framework/Dialog.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

void CDataExchange::Fail(int id)
{
    failed = true;
    SetFocus(dialog.Item(id));
}

void CDataExchange::Text(int id, std::string& value)
{
    if (fromControls)
        value = dialog.GetItemText(id);
    else
        dialog.SetItemText(id, value);
}

void CDataExchange::Number(int id, int& value)
{
    if (!fromControls) {
        dialog.SetItemText(id, std::to_string(value));
        return;
    }
    std::string text = dialog.GetItemText(id);
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) {
        Fail(id);
        return;
    }
    value = static_cast<int>(parsed);
}

void CDataExchange::Check(int id, int& value)
{
    if (fromControls)
        value = IsDlgButtonChecked(dialog.GetSafeHwnd(), id) == BST_CHECKED ? 1 : 0;
    else
        CheckDlgButton(dialog.GetSafeHwnd(), id, value ? BST_CHECKED : BST_UNCHECKED);
}

void CDataExchange::RadioIndex(int firstId, int lastId, int& index)
{
    const HWND window = dialog.GetSafeHwnd();
    if (!fromControls) {
        for (int id = firstId; id <= lastId; ++id)
            CheckDlgButton(window, id, id - firstId == index ? BST_CHECKED : BST_UNCHECKED);
        return;
    }
    index = -1;
    for (int id = firstId; id <= lastId; ++id) {
        if (IsDlgButtonChecked(window, id) == BST_CHECKED) {
            index = id - firstId;
            return;
        }
    }
}

void CDataExchange::ComboIndex(int id, int& value)
{
    if (fromControls)
        value = static_cast<int>(SendDlgItemMessageA(dialog.GetSafeHwnd(), id, CB_GETCURSEL, 0, 0));
    else
        SendDlgItemMessageA(dialog.GetSafeHwnd(), id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}
