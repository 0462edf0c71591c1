#include "app/win/PageTabCtrl.h"

#include "app/ReceiverSession.h"
#include "common/CardKind.h"
#include "reception/win/PidPage.h"
#include "tuning/win/CablePage.h"
#include "tuning/win/DishPage.h"
#include "tuning/win/LnbPage.h"
#include "tuning/win/TerrestrialPage.h"

#include <commctrl.h>

#include <utility>

CPageTabCtrl::CPageTabCtrl() = default;

CPageTabCtrl::~CPageTabCtrl() { DestroyPages(); }

namespace {
template <class Page, class... Args>
Page* AddPage(std::unique_ptr<CTabPage>& slot, Args&&... args)
{
    auto page = std::make_unique<Page>(std::forward<Args>(args)...);
    Page* created = page.get();
    slot = std::move(page);
    return created;
}
}   // namespace

void CPageTabCtrl::CreatePages(ReceiverSession& session, SettingsKeyOpener& settingsKey)
{
    deviceKind = session.GetDeviceKind();
    CChannelDatabase& db = *database;
    int count = 0;
    if (IsSatelliteCard(deviceKind)) {
        AddPage<CLnbPage>(pages[count++], session, pageLanguage, db);
        lockingPage = AddPage<CDishPage>(pages[count++], session, pageLanguage, db, settingsKey);
    } else if (IsTerrestrialCard(deviceKind)) {
        lockingPage = AddPage<CTerrestrialPage>(pages[count++], session, pageLanguage, db);
    } else {
        lockingPage = AddPage<CCablePage>(pages[count++], session, pageLanguage, db);
    }
    AddPage<CPidPage>(pages[count++], session, pageLanguage, db);
    for (int i = 0; i < count; ++i)
        pages[i]->Create(window);
    pageCount = count;
    shownIndex = 0;
    PlacePages();
}

void CPageTabCtrl::PlacePages()
{
    RECT client{};
    GetClientRect(window, &client);
    RECT tab{};
    TabCtrl_GetItemRect(window, 0, &tab);
    for (int i = 0; i < pageCount; ++i) {
        HWND page = pages[i]->GetSafeHwnd();
        if (page == nullptr)
            continue;
        MoveWindow(page, tab.left, tab.bottom + 1, client.right - tab.left - 1, client.bottom - tab.bottom - 2, TRUE);
        ShowWindow(page, i == shownIndex ? SW_SHOW : SW_HIDE);
    }
}

void CPageTabCtrl::ApplyLanguage(const std::string& languageFile)
{
    for (int i = 0; i < pageCount; ++i)
        pages[i]->ApplyLanguage(languageFile);
    for (int i = 0; i < pageCount; ++i)
        pages[i]->Show(SW_HIDE);
    if (shownIndex < pageCount) {
        pages[shownIndex]->Show(SW_SHOW);
        TabCtrl_SetCurSel(window, shownIndex);
    }
}

void CPageTabCtrl::RefreshPages()
{
    for (int i = 0; i < pageCount; ++i)
        pages[i]->Refresh();
}

void CPageTabCtrl::DestroyPages()
{
    for (int i = 0; i < pageCount; ++i) {
        pages[i]->Destroy();
        pages[i].reset();
    }
    lockingPage = nullptr;
    pageCount = 0;
}

CTabPage* CPageTabCtrl::Page(int index) const { return index >= 0 && index < pageCount ? pages[index].get() : nullptr; }

bool CPageTabCtrl::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    bool follow = message == WM_LBUTTONDOWN ||
                  (message == WM_KEYDOWN && (wParam == VK_RETURN || (wParam >= VK_LEFT && wParam <= VK_DOWN)));
    if (!follow)
        return false;
    result = DefaultHandling(message, wParam, lParam);
    FollowSelectedTab(true);
    return true;
}

void CPageTabCtrl::FollowSelectedTab(bool focusPage)
{
    int selected = TabCtrl_GetCurSel(window);
    if (selected < 0)
        selected = TabCtrl_GetCurFocus(window);
    if (selected != shownIndex)
        ShowPage(selected, focusPage);
}

void CPageTabCtrl::ShowNextPage(int step)
{
    if (pageCount == 0)
        return;
    const HWND focus = GetFocus();
    const HWND shown = pages[shownIndex]->GetSafeHwnd();
    const bool focusInPage = focus != nullptr && (focus == shown || IsChild(shown, focus));
    ShowPage(((shownIndex + step) % pageCount + pageCount) % pageCount, focusInPage);
}

void CPageTabCtrl::ShowPage(int index, bool focusPage)
{
    if (index < 0 || index >= pageCount)
        return;
    if (TabCtrl_GetCurSel(window) != index)
        TabCtrl_SetCurSel(window, index);
    if (index == shownIndex)
        return;
    pages[shownIndex]->Show(SW_HIDE);
    shownIndex = index;
    pages[shownIndex]->Show(SW_SHOW);
    if (focusPage)
        SetFocus(pages[shownIndex]->GetSafeHwnd());
}

// Keyboard access to the pages. The tab control holds the pages as its
// children and is a control parent, so the dialog manager's Tab order runs
// through the shown page's controls but never stops on the tab strip itself;
// Ctrl+Tab and Ctrl+PgDn would reach the focused control (a combo box took
// Ctrl+PgDn as "last item") instead of switching pages.
namespace {

bool IsWithin(HWND ancestor, HWND window)
{
    return window != nullptr && (window == ancestor || IsChild(ancestor, window) != FALSE);
}

bool IsKeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}   // namespace

bool CPageTabCtrl::TranslateDialogKey(HWND dialog, const MSG& message)
{
    if (message.message != WM_KEYDOWN || !IsWithin(dialog, message.hwnd))
        return false;
    const bool control = IsKeyDown(VK_CONTROL);
    const bool shift = IsKeyDown(VK_SHIFT);
    if (control && (message.wParam == VK_TAB || message.wParam == VK_NEXT || message.wParam == VK_PRIOR)) {
        const bool back = message.wParam == VK_PRIOR || (message.wParam == VK_TAB && shift);
        ShowNextPage(back ? -1 : 1);
        return true;
    }
    return message.wParam == VK_TAB && !control && MoveFocusAroundStrip(dialog, shift);
}

bool CPageTabCtrl::MoveFocusAroundStrip(HWND dialog, bool backwards)
{
    HWND focus = GetFocus();
    if (window == nullptr || focus == nullptr || !IsWindowEnabled(window))
        return false;
    HWND page = ShownPage() != nullptr ? ShownPage()->GetSafeHwnd() : nullptr;
    HWND firstInPage = page != nullptr ? GetNextDlgTabItem(page, nullptr, FALSE) : nullptr;
    if (firstInPage != nullptr && !IsWithin(page, firstInPage))
        firstInPage = nullptr;

    HWND target = nullptr;
    if (focus == window) {
        // Forward into the page; backward to what comes before the strip.
        target =
            backwards ? GetNextDlgTabItem(dialog, firstInPage != nullptr ? firstInPage : window, TRUE) : firstInPage;
    } else {
        HWND next = GetNextDlgTabItem(dialog, focus, backwards);
        const bool entering = !backwards && !IsWithin(window, focus) && IsWithin(window, next);
        const bool leaving = backwards && IsWithin(window, focus) && !IsWithin(window, next);
        if (entering || leaving)
            target = window;
    }
    if (target == nullptr)
        return false;
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    return true;
}
