// A modal dialog in the current language: the translation of its keys lives
// as long as the dialog, which is handed the language file before it runs.
#pragma once

#include "language/win/DialogLanguage.h"

#include <string>
#include <utility>

template <class Dialog>
class TranslatedModal {
public:
    // The dialog is made from the translation and the further arguments.
    template <class... Args>
    TranslatedModal(DialogLanguageKeys keys, const std::string& languageFile, Args&&... args)
        : language(std::move(keys)), dialog(language, std::forward<Args>(args)...)
    {
        dialog.SetLanguageFile(languageFile);
    }

    INT_PTR Run(HWND owner) { return dialog.DoModal(owner); }
    Dialog* operator->() { return &dialog; }

private:
    const CDialogLanguage language;
    Dialog dialog;
};
