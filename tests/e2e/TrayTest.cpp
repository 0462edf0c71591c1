// The notification-area icon's callback on the hidden frame: the popup menu
// and its texts, the double click, and the menu's commands.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"


namespace {

constexpr UINT kTrayCallback = 0x042B;
constexpr UINT kTrayIconId = 128;

std::vector<std::wstring> MenuOf(const std::wstring& first, const std::wstring& about, const std::wstring& exit)
{
    return {first, L"Signal...", L"", about, L"", exit};
}

void PostTrayMouse(const LumisatRun& run, UINT mouseMessage)
{
    PostMessageA(run.Frame(), kTrayCallback, kTrayIconId, mouseMessage);
}

bool WaitUntilShown(HWND window, bool shown)
{
    return WaitFor([&] { return (IsWindowVisible(window) != FALSE) == shown; }, seconds(5));
}

// Picks the language and waits for the main dialog's New button to show the text.
bool SwitchTo(const LumisatRun& run, const std::string& language, const std::string& newButton)
{
    return ChooseLanguage(run, language) &&
           (newButton.empty() || WaitFor([&] { return WindowText(run.Control(IDC_MAIN_NEW)) == newButton; }));
}

}  // namespace

TEST(Tray, MenuOffersHideOrShowInTheChosenLanguage)
{
    LumisatRun run("tray_menu");
    run.WriteIni(CardIni(0));
    run.WriteFile("Language\\Partial.txt", Utf16File("String36=Verbergen\r\nString38=\r\n"));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Hide", L"About", L"Exit"));

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilShown(main, false));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Show", L"About", L"Exit"));
    run.PostFrameCommand(kShowHideCommand);
    ASSERT_TRUE(WaitUntilShown(main, true));

    ASSERT_TRUE(SwitchTo(run, "German", "Neu"));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Ausblenden", L"\u00DCber", L"Beenden"));
    // Keys missing or empty in the language file fall back to English.
    ASSERT_TRUE(SwitchTo(run, "Partial", ""));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Verbergen", L"About", L"Exit"));
}

TEST(Tray, DoubleClickShowsTheHiddenDialogAndTheMenuRestoresAMinimisedOne)
{
    LumisatRun run("tray_clicks");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilShown(main, false));
    for (UINT ignored : {WM_LBUTTONUP, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONDBLCLK})
        PostTrayMouse(run, ignored);
    EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, milliseconds(800)));
    PostTrayMouse(run, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntilShown(main, true));

    // A minimised dialog counts as shown: a double click leaves it minimised,
    // the menu's Show/Hide hides it and shows it restored.
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
    PostTrayMouse(run, WM_LBUTTONDBLCLK);
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Hide", L"About", L"Exit"));
    EXPECT_TRUE(IsIconic(main));
    run.PostFrameCommand(kShowHideCommand);
    ASSERT_TRUE(WaitUntilShown(main, false));
    run.PostFrameCommand(kShowHideCommand);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); }));

    // Exit with nothing to save asks nothing.
    run.PostFrameCommand(kExitCommand);
    EXPECT_TRUE(run.WaitForExit());
}

TEST(Tray, ExitAsksWhenChangesAreUnsavedAndNoSavesNothing)
{
    LumisatRun run("tray_exit_question");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();
    // A language choice enables Apply: Exit then shows the dialog and asks.
    ASSERT_TRUE(SwitchTo(run, "French", "Nouveau"));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilShown(main, false));
    run.PostFrameCommand(kExitCommand);
    HWND question = run.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(AnswerBox(question, IDNO),
              "L'application va se fermer. Enregistrer les r\xE9glages et les donn\xE9" "es modifi\xE9s ?");
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.RegistryString("Language"), "") << "No saves nothing";
}
