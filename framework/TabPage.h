// What every tab page offers the main dialog and the tab control.
#pragma once

#include "framework/Dialog.h"
#include "framework/PageTranslator.h"

#include <string>

class CChannelDatabase;

class CTabPage : public CDialog {
public:
    using CDialog::CDialog;

    virtual void SetDatabase(CChannelDatabase* db) { database = db; }
    // Reloads the page from the database cursors.
    virtual void Refresh() {}
    // Translates the page's controls and keeps the file for the page's own
    // message lookups; a file that cannot be opened changes neither.
    virtual void ApplyLanguage(const std::string& file) { ApplyPageLanguage(file); }
    const std::string& LanguageFile() const { return languageFile; }
    // Set before the page is created; without one the page stays untranslated.
    void SetTranslator(const PageTranslator* pageTranslator) { translator = pageTranslator; }

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
    // The common translation, with windows that repeat a control's text.
    void ApplyPageLanguage(const std::string& file, std::initializer_list<ControlTextCopy> copies = {});

    CChannelDatabase* database = nullptr;
    std::string languageFile;

private:
    const PageTranslator* translator = nullptr;
};
