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
    // field as leaving it does, or presses the focused push button; an open
    // drop-down list keeps it to pick its item.
    bool PreTranslateMessage(const MSG& message) override;

protected:
    // An open drop-down list takes Enter (pick) and Escape (close) itself.
    static bool IsOpenDropDown(HWND window);
    // A key press, release or character of this key.
    static bool IsKeyMessage(const MSG& message, WPARAM key);
    // The main dialog: a page's message box must not sit behind it.
    HWND MessageOwner() const override;

    CChannelDatabase* database = nullptr;
};
