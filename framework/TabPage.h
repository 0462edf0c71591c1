// What every tab page offers the main dialog and the tab control.
#pragma once

#include "framework/TranslatedDialog.h"

#include <string>

class CChannelDatabase;

class CTabPage : public CTranslatedDialog {
public:
    CTabPage(UINT templateId, const DialogTranslator& translator) : CTranslatedDialog(templateId, translator) {}

    virtual void SetDatabase(CChannelDatabase* db) { database = db; }
    // Reloads the page from the database cursors.
    virtual void Refresh() {}
    // Translates the page's controls and keeps the file for the page's own
    // message lookups; a file that cannot be opened changes neither.
    virtual void ApplyLanguage(const std::string& file) { ApplyLanguageFile(file); }

    CChannelDatabase* Database() const { return database; }

    // Enter aimed at the page or one of its controls would reach the main
    // dialog's dialog manager as OK (save and hide). Here it commits the
    // field as leaving it does, keeping the caret where it was, or presses
    // the focused push button on the pages that let it; an open drop-down
    // list keeps it to pick its item. Escape, which would hide the main
    // dialog as Cancel, is consumed on the pages that keep it.
    bool PreTranslateMessage(const MSG& message) final;

protected:
    // Set by the pages on which Escape must not hide the main dialog.
    bool keepsEscape = false;
    // Cleared by the pages on which Enter presses no button.
    bool enterPressesButtons = true;
    // The main dialog: a page's message box must not sit behind it.
    HWND MessageOwner() const override;

    CChannelDatabase* database = nullptr;
};
