#include "language/win/DialogLanguage.h"

#include "framework/MessageBox.h"

#include <commctrl.h>

namespace {

void SetTabText(HWND tabControl, int index, const std::string& text)
{
    if (tabControl == nullptr)
        return;
    char current[MAX_PATH] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = current;
    item.cchTextMax = sizeof(current);
    // A tab that does not exist is left alone.
    if (!SendMessageA(tabControl, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return;
    std::string value = text;
    item.pszText = value.data();
    item.cchTextMax = static_cast<int>(value.size());
    SendMessageA(tabControl, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void SetControlText(HWND dialog, const LanguageLineAction& action, std::initializer_list<ControlTextCopy> copies)
{
    HWND control = GetDlgItem(dialog, action.index);
    if (control == nullptr)
        return;
    SetWindowTextA(control, action.text.c_str());
    for (const ControlTextCopy& copy : copies) {
        if (copy.controlId == action.index && copy.window != nullptr)
            SetWindowTextA(copy.window, action.text.c_str());
    }
}

}  // namespace

bool ApplyDialogLanguage(HWND dialog, const std::string& file, const DialogLanguageKeys& keys, HWND tabControl,
                         std::initializer_list<ControlTextCopy> copies)
{
    const std::optional<std::string> text = ReadLanguageFileText(file);
    if (!text) {
        ShowErrorMessage(dialog, "Can't Load language!");
        return false;
    }
    for (const LanguageLineAction& action : LanguageActions(*text, keys)) {
        switch (action.target) {
        case LanguageTarget::Control: SetControlText(dialog, action, copies); break;
        case LanguageTarget::Caption: SetWindowTextA(dialog, action.text.c_str()); break;
        case LanguageTarget::Tab: SetTabText(tabControl, action.index, action.text); break;
        default: break;
        }
    }
    return true;
}
