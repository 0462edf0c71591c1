// What every tab page offers the main dialog and the tab control.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CChannelDatabase;
class CMainDlg;

class CTabPage : public CDialog {
public:
    using CDialog::CDialog;

    virtual void SetDatabase(CChannelDatabase* db) { database = db; }
    // Reloads the page from the database cursors.
    virtual void Refresh() {}
    // Pages keep the language file they were given and look their messages up there.
    virtual void ApplyLanguage(const std::string& file) { languageFile = file; }
    const std::string& LanguageFile() const { return languageFile; }
    // The three tuning pages lock the card; result 1 when locked.
    virtual int Lock(int /*silent*/) { return 0; }

    // The main dialog is the parent of the tab control, the page's parent.
    CMainDlg* MainDialog() const;

    CChannelDatabase* Database() const { return database; }

protected:
    CChannelDatabase* database = nullptr;
    std::string languageFile;
};
