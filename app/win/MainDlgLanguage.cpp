// The main dialog's language list, and translating the dialog and its pages.
#include "app/win/MainDlg.h"

#include "framework/MessageBox.h"
#include "language/LanguageConversion.h"
#include "language/LanguageList.h"
#include "language/win/DialogLanguage.h"
#include "language/win/FindFileLister.h"
#include "resources/resource.h"

void CMainDlg::FillLanguageList()
{
    const LanguageList list = ::FillLanguageList(session.Settings().installationPath, session.Settings().languageName, FindFileLister());
    languageCombo.ResetContent();
    for (const std::string& name : list.names)
        languageCombo.AddString(name);
    if (list.selectedIndex >= 0)
        languageCombo.SetCurSel(list.selectedIndex);
    ApplyLanguage(list.languageFilePath);
}

void CMainDlg::ApplyLanguage(const std::string& path)
{
    const std::string file = LanguageFileToRead(path, session.Settings().installationPath);
    if (file != path) {
        std::string error;
        if (!ConvertLanguageFile(path, ".tmp", error))
            ShowErrorMessage(hwnd, error);
    }
    // Kept even when it cannot be read: the messages then fall back to English.
    appliedLanguageFile = file;
    if (!ApplyDialogLanguage(hwnd, file, MainDialogLanguageKeys(session.GetDeviceKind()), Item(IDC_MAIN_TAB)))
        return;
    tabControl.ApplyLanguage(file);
}

void CMainDlg::OnLanguageChanged()
{
    DeleteTemporaryLanguageFile(session.Settings().installationPath, session.Settings().languageName);
    session.Settings().languageName = languageCombo.GetText();
    if (session.Settings().languageName.empty()) {
        session.Settings().languageName = "English";
        return;
    }
    ApplyLanguage(LanguageFilePath());
    // The choice reaches the registry only when the settings are saved.
    session.MarkSettingsChanged(0);
}

std::string CMainDlg::AppliedLanguageFile() const
{
    return appliedLanguageFile.empty() ? LanguageFilePath() : appliedLanguageFile;
}
