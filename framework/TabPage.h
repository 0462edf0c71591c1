// What every tab page offers the main dialog and the tab control.
#pragma once

#include "framework/QuietFill.h"
#include "framework/TranslatedDialog.h"

#include <string>

class CTabPage : public CTranslatedDialog {
public:
    CTabPage(UINT templateId, const DialogTranslator& translator) : CTranslatedDialog(templateId, translator) {}

    // Reloads the page from what it shows.
    virtual void Refresh() {}
    // Translates the page's controls and keeps the file for the page's own
    // message lookups; a file that cannot be opened changes neither.
    virtual void ApplyLanguage(const std::string& file) { ApplyLanguageFile(file); }

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

    // True while the page puts values into its own controls, and until it is
    // initialised: change and focus notifications are then echoes, not edits.
    bool FillingControls() const { return filling; }
    // A span in which the page fills its controls itself.
    [[nodiscard]] CQuietFill FillQuietly() { return CQuietFill(filling); }
    // The members into the controls, as an echo.
    void PutFieldsIntoControls();
    // The end of the page's initialisation: notifications are edits from now on.
    void ControlsReady() { filling = false; }

private:
    bool filling = true;
};
