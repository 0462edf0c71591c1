// Help button and F1: the language's help file through HTML Help.
#include "app/InstallPaths.h"
#include "app/win/HtmlHelp.h"
#include "app/win/MainDlg.h"

void CMainDlg::OnHelpButton()
{
    const std::string base = WithTrailingBackslash(session.Settings().installationPath);
    std::string file;
    if (!base.empty()) {
        file = HelpFilePath(base, session.Settings().languageName);
        if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
            file = HelpFilePath(base, "English");
    }
    HtmlHelpCloseAll();
    HtmlHelpDisplay(nullptr, file);
}

void CMainDlg::OnHelpRequest()
{
    HtmlHelpCloseAll();
    HtmlHelpDisplay(hwnd, HelpFilePath(session.Settings().installationPath, session.Settings().languageName));
}
