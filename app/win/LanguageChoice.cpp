#include "app/win/LanguageChoice.h"

#include "app/Settings.h"
#include "framework/MessageBox.h"
#include "language/DialogLanguageRules.h"
#include "language/LanguageConversion.h"
#include "language/LanguageList.h"
#include "language/win/FindFileLister.h"
#include "resources/resource.h"

CLanguageChoice::CLanguageChoice(MainSettings& settings, std::function<void(const std::string&)> apply,
                                 std::function<void()> chosen)
    : settings(settings), apply(std::move(apply)), chosen(std::move(chosen))
{
}

void CLanguageChoice::Attach(HWND owner)
{
    dialog = owner;
    combo.Attach(dialog, IDC_MAIN_LANGUAGE_COMBO);
}

void CLanguageChoice::Fill()
{
    const LanguageList list = FillLanguageList(settings.installationPath, settings.languageName, FindFileLister());
    combo.ResetContent();
    for (const std::string& name : list.names)
        combo.AddString(name);
    if (list.selectedIndex >= 0)
        combo.SetCurSel(list.selectedIndex);
    Apply(list.languageFilePath);
}

void CLanguageChoice::OnSelected()
{
    DeleteTemporaryLanguageFile(settings.installationPath, settings.languageName);
    settings.languageName = combo.GetText();
    if (settings.languageName.empty()) {
        settings.languageName = "English";
        return;
    }
    Apply(LanguageFilePath(settings.installationPath, settings.languageName));
    // The choice reaches the registry only when the settings are saved.
    chosen();
}

std::string CLanguageChoice::AppliedFile() const
{
    return appliedFile.empty() ? LanguageFilePath(settings.installationPath, settings.languageName) : appliedFile;
}

void CLanguageChoice::Apply(const std::string& path)
{
    const std::string file = LanguageFileToRead(path, settings.installationPath);
    if (file != path) {
        std::string error;
        if (!ConvertLanguageFile(path, ".tmp", error))
            ShowErrorMessage(dialog, error);
    }
    // Kept even when it cannot be read: the messages then fall back to English.
    appliedFile = file;
    apply(file);
}
