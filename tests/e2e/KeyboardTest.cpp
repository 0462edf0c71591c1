// The keyboard in the main dialog: reaching and switching the pages without
// the mouse, and its key for the signal window. Enter and Escape in a page
// are the pages' own scenarios'.
#include "tests/e2e/Scenario.h"

#include <commctrl.h>

namespace {

// Keys with modifiers need the input state the program reads, so they go in
// as hardware input to the foreground window.
void PressKeys(std::initializer_list<WORD> keys)
{
    for (WORD key : keys)
        keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        keybd_event(static_cast<BYTE>(*key), 0, KEYEVENTF_KEYUP, 0);
}

HWND FocusIn(const LumisatRun& run)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(run.MainDialog(), nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

int SelectedTab(HWND main)
{
    return static_cast<int>(SendMessageA(FindControl(main, IDC_MAIN_TAB), TCM_GETCURSEL, 0, 0));
}

}   // namespace

TEST(Keyboard, PagesAreReachedAndSwitchedWithoutTheMouse)
{
    LumisatRun run("keyboard_pages");
    ASSERT_TRUE(StartWithSatellites(run, {Astra()}));
    HWND main = run.MainDialog();
    HWND tabs = FindControl(main, IDC_MAIN_TAB);
    HWND diseqc = FindControl(main, IDC_LNB_DISEQC_COMBO);
    const LRESULT port = SendMessageA(diseqc, CB_GETCURSEL, 0, 0);
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }));
    SendMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(diseqc), TRUE);

    PressKeys({VK_CONTROL, VK_NEXT});
    EXPECT_TRUE(WaitFor([&] { return SelectedTab(main) == kDishTab; }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(GetParent(run.Control(IDC_DISH_LOCK_TEST))) != FALSE; }));
    PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(GetParent(diseqc)) != FALSE; }));
    PressKeys({VK_CONTROL, VK_PRIOR});
    EXPECT_TRUE(WaitFor([&] { return SelectedTab(main) == 2; })) << "wraps around";
    PressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return SelectedTab(main) == 0; }));
    EXPECT_EQ(SendMessageA(diseqc, CB_GETCURSEL, 0, 0), port) << "no control took the keys";
    EXPECT_FALSE(run.ApplyEnabled());

    // Tab stops on the strip, then goes into the shown page; Shift+Tab back.
    SendMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabs), TRUE);
    PressKeys({VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return IsChild(GetParent(diseqc), FocusIn(run)) != FALSE; }));
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return FocusIn(run) == tabs; }));

    // After switching by keyboard a click on any tab still shows its page.
    PressKeys({VK_RIGHT});
    EXPECT_TRUE(WaitFor([&] { return SelectedTab(main) == kDishTab; }));
    ASSERT_TRUE(run.ShowTab(2, IDC_PID_MAC_TEXT));
    ASSERT_TRUE(run.ShowTab(0, IDC_LNB_DISEQC_COMBO));

    // A tab selected without a click or a key, as accessibility tools do,
    // shows its page; a language switch and Hide/Show from the tray keep the
    // strip and the shown page together.
    HWND dishPage = GetParent(run.Control(IDC_DISH_LOCK_TEST));
    SendMessageA(tabs, TCM_SETCURFOCUS, kDishTab, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dishPage) != FALSE; }));
    ASSERT_TRUE(ChooseLanguage(run, "German"));
    ASSERT_TRUE(run.Hide());
    run.TrayIconMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_EQ(SelectedTab(main), kDishTab);
    EXPECT_TRUE(IsWindowVisible(dishPage));
    EXPECT_FALSE(IsWindowVisible(GetParent(diseqc)));

    // Ctrl+L opens the signal window from a page's field, which takes nothing of it.
    HWND frequency = FindControl(main, IDC_LNB_FREQ1);
    const std::string typed = WindowText(frequency);
    const bool pending = run.ApplyEnabled();   // the language chosen above
    SendMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(frequency), TRUE);
    PressKeys({VK_CONTROL, 'L'});
    EXPECT_NE(run.WaitForDialogWith(IDC_SIGNAL_SAVE_CSV), nullptr) << "the signal window";
    EXPECT_EQ(WindowText(frequency), typed);
    EXPECT_EQ(run.ApplyEnabled(), pending);
}
