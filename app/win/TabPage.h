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
    virtual void ApplyLanguage(const std::string& /*languageFile*/) {}
    // The three tuning pages lock the card; result 1 when locked.
    virtual int Lock(int /*silent*/) { return 0; }

    // The main dialog is the parent of the tab control, the page's parent.
    CMainDlg* MainDialog() const;

protected:
    CChannelDatabase* database = nullptr;
};
