#include "app/win/TabPage.h"

#include "app/win/MainDlg.h"

CMainDlg* CTabPage::MainDialog() const
{
    if (hwnd == nullptr)
        return nullptr;
    HWND tab = GetParent(hwnd);
    if (tab == nullptr)
        return nullptr;
    return dynamic_cast<CMainDlg*>(CDialog::FromHandle(GetParent(tab)));
}

void CTabPage::ApplyPageLanguage(const std::string& file, std::initializer_list<ControlTextCopy> copies)
{
    if (ApplyDialogLanguage(hwnd, file, TabPageLanguageKeys(), nullptr, copies))
        languageFile = file;
}
