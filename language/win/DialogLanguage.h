// Translates a dialog from a language file: the one routine behind every
// dialog's and page's ApplyLanguage.
#pragma once

#include "framework/Translator.h"
#include "language/DialogLanguageRules.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

// Applies the file's texts (language/LanguageTexts.h) with the wide calls to
// the dialog's own controls, its caption and, for the main dialog, the tabs
// of `tabControl`. When the file cannot be opened, shows "Can't Load
// language!", changes nothing and returns false.
bool ApplyDialogLanguage(HWND dialog, const std::string& file, const DialogLanguageKeys& keys,
                         HWND tabControl = nullptr, std::initializer_list<ControlTextCopy> copies = {});

// The translation of one kind of dialog: the keys it honours, and message
// lookups in the same file.
class CDialogLanguage final : public DialogTranslator {
public:
    explicit CDialogLanguage(DialogLanguageKeys keys) : keys(std::move(keys)) {}

    bool Translate(HWND dialog, const std::string& file, std::initializer_list<ControlTextCopy> copies) const override;
    std::string Message(const std::string& file, const char* key, const char* english) const override;

private:
    DialogLanguageKeys keys;
};
