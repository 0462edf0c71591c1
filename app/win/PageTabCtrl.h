// The main dialog's tab control: it owns the pages of the card's kind and
// switches between them with the mouse and the keyboard.
#pragma once

#include "app/win/TabPage.h"
#include "framework/Window.h"

#include <array>
#include <memory>
#include <string>

class CChannelDatabase;

class CPageTabCtrl : public CSubclass {
public:
    CPageTabCtrl();
    ~CPageTabCtrl() override;

    void CreatePages(int deviceKind);
    void PlacePages();
    void SetDatabase(CChannelDatabase* db);
    void ApplyLanguage(const std::string& languageFile);
    void RefreshPages();
    void DestroyPages();

    int PageCount() const { return pageCount; }
    CTabPage* Page(int index) const;
    CTabPage* ShownPage() const { return Page(shownIndex); }

    // The page `step` places after (or before) the shown one, wrapping
    // around, as Ctrl+Tab and Ctrl+PgDn switch pages.
    void ShowNextPage(int step);
    // The tab strip's selection changed: its page is shown.
    void FollowSelectedTab(bool focusPage);

protected:
    bool OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Shows the page and selects its tab, so that the strip and the page
    // never disagree (a click on a tab that the strip already showed as
    // selected did nothing).
    void ShowPage(int index, bool focusPage);

    std::array<std::unique_ptr<CTabPage>, 5> pages;
    int shownIndex = 0;
    int pageCount = 0;
    int deviceKind = 0;
    CChannelDatabase* database = nullptr;
};
