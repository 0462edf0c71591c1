// The keyboard in the main dialog: Enter in a page, retyping a cleared LNB
// frequency, and reaching and switching the pages without the mouse.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

#include <commctrl.h>

namespace {

// Posted, so that they pass through the program's message loop as typed keys do.
void PostKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void PostChars(HWND window, const std::string& chars)
{
    for (char c : chars)
        PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

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

void Focus(HWND dialog, HWND control)
{
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

int SelectedTab(HWND main) { return static_cast<int>(SendMessageA(FindControl(main, IDC_MAIN_TAB), TCM_GETCURSEL, 0, 0)); }

}  // namespace

TEST(Keyboard, EnterInAPageCommitsTheFieldAndNeverClosesTheProgram)
{
    LumisatRun run("enter_in_pages");
    ASSERT_TRUE(StartWithSatellites(run, {Astra()}));
    HWND main = run.MainDialog();

    HWND frequency1 = FindControl(main, IDC_LNB_FREQ1);
    PostKey(frequency1, VK_RETURN);

    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    HWND symbolRate = FindControl(main, IDC_DISH_SYMBOL_RATE);
    SetText(symbolRate, "27500");
    PostKey(symbolRate, VK_RETURN);
    // Lock Test, queued behind the keys without taking the focus from the
    // edit: the lock tunes to what Enter committed.
    const size_t from = run.CallLogLines().size();
    HWND lockTest = FindControl(main, IDC_DISH_LOCK_TEST);
    PostMessageA(GetParent(lockTest), WM_COMMAND, MAKEWPARAM(IDC_DISH_LOCK_TEST, BN_CLICKED), reinterpret_cast<LPARAM>(lockTest));
    EXPECT_TRUE(WaitFor([&] { return !run.CallsFrom("LockChannel3(11494,27500,", from).empty(); }))
        << "Enter commits the field as leaving it does";

    ASSERT_TRUE(run.ShowTab(2, IDC_PID_MAC_TEXT));
    PostKey(FindControl(main, IDC_PID_MAC_TEXT), VK_RETURN);

    run.WaitForStartupLock();
    EXPECT_TRUE(IsWindowVisible(main)) << "no OK: the dialog stays";
    EXPECT_TRUE(IsWindowEnabled(FindControl(main, IDC_MAIN_APPLY))) << "and nothing was saved";
}

TEST(Keyboard, AClearedLnbFrequencyCanBeRetyped)
{
    FileSatellite custom = Astra();
    custom.lnbType = 2;
    LumisatRun run("lnb_retype");
    ASSERT_TRUE(StartWithSatellites(run, {custom}));
    HWND frequency1 = FindControl(run.MainDialog(), IDC_LNB_FREQ1);
    SendMessageA(frequency1, EM_SETSEL, 0, -1);
    PostChars(frequency1, "\b9750");
    EXPECT_TRUE(WaitFor([&] { return WindowText(frequency1) == "9750"; })) << WindowText(frequency1);
}

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
    Focus(main, diseqc);

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
    EXPECT_FALSE(IsWindowEnabled(FindControl(main, IDC_MAIN_APPLY)));

    // Tab stops on the strip, then goes into the shown page; Shift+Tab back.
    Focus(main, tabs);
    PressKeys({VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return IsChild(GetParent(diseqc), FocusIn(run)) != FALSE; }));
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitFor([&] { return FocusIn(run) == tabs; }));

    // After switching by keyboard a click on any tab still shows its page.
    Focus(main, tabs);
    PressKeys({VK_RIGHT});
    EXPECT_TRUE(WaitFor([&] { return SelectedTab(main) == kDishTab; }));
    ASSERT_TRUE(run.ShowTab(2, IDC_PID_MAC_TEXT));
    ASSERT_TRUE(run.ShowTab(0, IDC_LNB_DISEQC_COMBO));
}
