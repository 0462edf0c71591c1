// The main dialog's language list (1004): the language files of the
// installation, the choice kept in the settings, and the file the program's
// texts are read from.
#pragma once

#include "framework/Controls.h"

#include <functional>
#include <string>

struct MainSettings;

class CLanguageChoice {
public:
    // apply translates the dialog and its windows from the file read.
    CLanguageChoice(MainSettings& settings, std::function<void(const std::string& file)> apply,
                    std::function<void()> chosen);

    void Attach(HWND dialog);
    // The list, the saved choice selected and applied.
    void Fill();
    // The user chose another language: applied at once, saved with the settings.
    void OnSelected();
    // The file the current language's texts are read from: the converted
    // copy, or the Chinese file itself, once the language was applied; the
    // ".txt" file before that.
    std::string AppliedFile() const;

private:
    // Prepares the language file (its converted copy where needed), then applies it.
    void Apply(const std::string& path);

    MainSettings& settings;
    std::function<void(const std::string&)> apply;
    std::function<void()> chosen;
    HWND dialog = nullptr;
    CComboBox combo;
    std::string appliedFile;
};
