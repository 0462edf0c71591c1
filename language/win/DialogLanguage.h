// Translates a dialog from a language file: the one routine behind every
// dialog's and page's ApplyLanguage.
#pragma once

#include "language/DialogLanguageRules.h"

#include <windows.h>

#include <initializer_list>
#include <string>

// A window that shows a numbered control's text a second time (the Dish
// Setting page's hold buttons stand in place of its Drive buttons).
struct ControlTextCopy {
    int controlId;
    HWND window;
};

// Applies the file's texts (language/LanguageTexts.h) with the wide calls to
// the dialog's own controls, its caption and, for the main dialog, the tabs
// of `tabControl`. When the file cannot be opened, shows "Can't Load
// language!", changes nothing and returns false.
bool ApplyDialogLanguage(HWND dialog, const std::string& file, const DialogLanguageKeys& keys,
                         HWND tabControl = nullptr, std::initializer_list<ControlTextCopy> copies = {});
