// Translates a dialog from a language file: the one routine behind every
// dialog's and page's ApplyLanguage.
#pragma once

#include "framework/PageTranslator.h"
#include "language/DialogLanguageRules.h"

#include <windows.h>

#include <initializer_list>
#include <string>

// Applies the file's texts (language/LanguageTexts.h) with the wide calls to
// the dialog's own controls, its caption and, for the main dialog, the tabs
// of `tabControl`. When the file cannot be opened, shows "Can't Load
// language!", changes nothing and returns false.
bool ApplyDialogLanguage(HWND dialog, const std::string& file, const DialogLanguageKeys& keys,
                         HWND tabControl = nullptr, std::initializer_list<ControlTextCopy> copies = {});

// The tab pages' translation: their own controls, no caption.
class CPageLanguage final : public PageTranslator {
public:
    bool TranslatePage(HWND page, const std::string& file,
                       std::initializer_list<ControlTextCopy> copies) const override
    {
        return ApplyDialogLanguage(page, file, TabPageLanguageKeys(), nullptr, copies);
    }
};
