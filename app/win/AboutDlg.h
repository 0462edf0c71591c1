// The About box (dialog 100), shown from the notification-area menu and
// translated from the language file it is given.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(std::string languageFile);

protected:
    BOOL OnInitDialog() override;

private:
    std::string languageFile;
};
