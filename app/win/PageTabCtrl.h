// The main dialog's tab control: it owns the pages of the card's kind and
// switches between them with the mouse and the keyboard.
#pragma once

#include "framework/TabPage.h"
#include "framework/Window.h"
#include "language/win/DialogLanguage.h"

#include <array>
#include <memory>
#include <string>

class CChannelDatabase;
class CLockingPage;
class ReceiverSession;
class SettingsKeyOpener;

class CPageTabCtrl : public CSubclass {
public:
    CPageTabCtrl();
    ~CPageTabCtrl() override;

    // The database the pages show, before they are made.
    void SetDatabase(CChannelDatabase* db) { database = db; }
    // The pages of the session's card kind, handed the session and the
    // database; the Dish Setting page keeps its motor values under settingsKey.
    void CreatePages(ReceiverSession& session, SettingsKeyOpener& settingsKey);
    void ApplyLanguage(const std::string& languageFile);
    void RefreshPages();
    void DestroyPages();

    // The page that locks the card of this kind; null before the pages are created.
    CLockingPage* LockingPage() const { return lockingPage; }

    // A key aimed at the dialog that holds the strip: Ctrl+Tab, Ctrl+Shift+Tab,
    // Ctrl+PgDn and Ctrl+PgUp switch pages from anywhere in it, and Tab stops
    // on the strip. True when the key was used.
    bool TranslateDialogKey(HWND dialog, const MSG& message);
    // The tab strip's selection changed: its page is shown.
    void FollowSelectedTab(bool focusPage);

protected:
    bool OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PlacePages();
    CTabPage* Page(int index) const;
    CTabPage* ShownPage() const { return Page(shownIndex); }
    // The page `step` places after (or before) the shown one, wrapping
    // around, as Ctrl+Tab and Ctrl+PgDn switch pages.
    void ShowNextPage(int step);
    // Shows the page and selects its tab, so that the strip and the page
    // never disagree (a click on a tab that the strip already showed as
    // selected did nothing).
    void ShowPage(int index, bool focusPage);
    // Tab or Shift+Tab that enters or leaves the tab strip; false when the
    // dialog manager's own order applies.
    bool MoveFocusAroundStrip(HWND dialog, bool backwards);

    // Before the pages, which keep it.
    const CDialogLanguage pageLanguage{TabPageLanguageKeys()};
    std::array<std::unique_ptr<CTabPage>, 5> pages;
    CLockingPage* lockingPage = nullptr;
    int shownIndex = 0;
    int pageCount = 0;
    int deviceKind = 0;
    CChannelDatabase* database = nullptr;
};
