#include "language/win/DialogLanguage.h"

#include "framework/MessageBox.h"
#include "framework/UiText.h"
#include "language/LanguageFile.h"
#include "language/LanguageTexts.h"

#include <commctrl.h>

namespace {

void SetTabText(HWND tabControl, int index, const std::string& text)
{
    if (tabControl == nullptr)
        return;
    wchar_t current[MAX_PATH] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = current;
    item.cchTextMax = MAX_PATH;
    // A tab that does not exist is left alone.
    if (!SendMessageW(tabControl, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return;
    std::wstring value = WideText(text);
    item.pszText = value.data();
    item.cchTextMax = static_cast<int>(value.size());
    SendMessageW(tabControl, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void SetControlText(HWND dialog, const LanguageLineAction& action, std::initializer_list<ControlTextCopy> copies)
{
    HWND control = GetDlgItem(dialog, action.index);
    if (control == nullptr)
        return;
    SetUiText(control, action.text);
    for (const ControlTextCopy& copy : copies) {
        if (copy.controlId == action.index && copy.window != nullptr)
            SetUiText(copy.window, action.text);
    }
}

}   // namespace

bool ApplyDialogLanguage(HWND dialog, const std::string& file, const DialogLanguageKeys& keys, HWND tabControl,
                         std::initializer_list<ControlTextCopy> copies)
{
    const std::optional<std::string> text = ReadLanguageTexts(file);
    if (!text) {
        ShowErrorMessage(dialog, "Can't Load language!");
        return false;
    }
    for (const LanguageLineAction& action : LanguageActions(*text, keys)) {
        switch (action.target) {
        case LanguageTarget::Control: SetControlText(dialog, action, copies); break;
        case LanguageTarget::Caption: SetUiText(dialog, action.text); break;
        case LanguageTarget::Tab: SetTabText(tabControl, action.index, action.text); break;
        default: break;
        }
    }
    // Tabs that got shorter captions leave pieces of the old ones behind
    // until the whole strip is painted again.
    if (tabControl != nullptr)
        RedrawWindow(tabControl, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    return true;
}

bool CDialogLanguage::Translate(HWND dialog, const std::string& file,
                                std::initializer_list<ControlTextCopy> copies) const
{
    return ApplyDialogLanguage(dialog, file, keys, nullptr, copies);
}

std::string CDialogLanguage::Message(const std::string& file, const char* key, const char* english) const
{
    return ::Message(file, key, english);
}
