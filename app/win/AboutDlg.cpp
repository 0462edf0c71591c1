#include "app/win/AboutDlg.h"

#include "language/win/DialogLanguage.h"
#include "resources/resource.h"

CAboutDlg::CAboutDlg(std::string languageFile) : CDialog(IDD_ABOUTBOX), languageFile(std::move(languageFile)) {}

BOOL CAboutDlg::OnInitDialog()
{
    ApplyDialogLanguage(hwnd, languageFile, CaptionDialogLanguageKeys("Dialog4"));
    return TRUE;
}
