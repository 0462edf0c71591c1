#include "app/win/AboutDlg.h"

#include "resources/resource.h"

CAboutDlg::CAboutDlg(std::string languageFile)
    : CDialog(IDD_ABOUTBOX), languageFile(std::move(languageFile))
{
}

BOOL CAboutDlg::OnInitDialog()
{
    return TRUE;
}
