// The notification-area icon's callback on the hidden frame: the popup menu
// and its texts, the double click, and the menu's commands.
#include "tests/e2e/Harness.h"
#include "tests/e2e/LanguageDriving.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/RemoteMenu.h"
#include "tests/e2e/SimulatorIni.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kTrayCallback = 0x042B;
constexpr UINT kTrayIconId = 128;
constexpr WORD kShowHide = 32771;
constexpr WORD kExit = 32772;
constexpr WORD kAbout = 32773;

std::vector<std::string> MenuOf(const std::string& first, const std::string& about, const std::string& exit)
{
    return {first, "Signal...", "", about, "", exit};
}

void PostTrayMouse(const LumisatRun& run, UINT mouseMessage)
{
    PostMessageA(run.Frame(), kTrayCallback, kTrayIconId, mouseMessage);
}

HWND FindTrayMenu(const LumisatRun& run)
{
    HWND menu = run.FindTopLevel("#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

// Opens the menu as a right click on the icon does, reads it and closes it
// with Escape; empty when no menu appeared or it stayed open.
std::vector<std::string> TrayMenuTexts(const LumisatRun& run)
{
    PostTrayMouse(run, WM_RBUTTONUP);
    HWND menuWindow = nullptr;
    if (!WaitFor([&] { return (menuWindow = FindTrayMenu(run)) != nullptr; }, std::chrono::seconds(5)))
        return {};
    std::vector<std::string> texts = PopupMenuTexts(menuWindow).value_or(std::vector<std::string>{});
    PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitFor([&] { return FindTrayMenu(run) == nullptr; }, std::chrono::seconds(5)))
        return {};
    return texts;
}

bool WaitUntilShown(HWND window, bool shown)
{
    return WaitFor([&] { return (IsWindowVisible(window) != FALSE) == shown; }, std::chrono::seconds(5));
}

}  // namespace

TEST(Tray, MenuOffersHideOrShowInTheChosenLanguage)
{
    LumisatRun run("tray_menu");
    run.WriteIni(CardIni(0));
    run.WriteFile("Language\\Partial.txt", Utf16LanguageFile("String36=Verbergen\r\nString38=\r\n"));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();
    EXPECT_EQ(TrayMenuTexts(run), MenuOf("Hide", "About", "Exit"));

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilShown(main, false));
    EXPECT_EQ(TrayMenuTexts(run), MenuOf("Show", "About", "Exit"));
    PostFrameCommand(run, kShowHide);
    ASSERT_TRUE(WaitUntilShown(main, true));

    ASSERT_TRUE(ChooseLanguage(main, "German"));
    ASSERT_TRUE(WaitForText(main, IDC_MAIN_NEW, "Neu"));
    EXPECT_EQ(TrayMenuTexts(run), MenuOf("Ausblenden", "\xDC" "ber", "Beenden"));

    // Keys missing or empty in the language file fall back to English.
    ASSERT_TRUE(ChooseLanguage(main, "Partial"));
    EXPECT_EQ(TrayMenuTexts(run), MenuOf("Verbergen", "About", "Exit"));
}

TEST(Tray, DoubleClickShowsTheHiddenDialogAndOtherClicksDoNothing)
{
    LumisatRun run("tray_double_click");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilShown(main, false));
    for (UINT ignored : {WM_LBUTTONUP, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONDBLCLK})
        PostTrayMouse(run, ignored);
    EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(main) || FindTrayMenu(run) != nullptr; },
                         std::chrono::milliseconds(800)));

    PostTrayMouse(run, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntilShown(main, true));
    PostTrayMouse(run, WM_LBUTTONDBLCLK);
    EXPECT_EQ(TrayMenuTexts(run), MenuOf("Hide", "About", "Exit"));

    // Exit with nothing to save asks nothing.
    PostFrameCommand(run, kExit);
    EXPECT_TRUE(run.WaitForExit());
}

TEST(Tray, MinimisedDialogCountsAsShownAndOnlyTheMenuRestoresIt)
{
    LumisatRun run("tray_minimised");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();

    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
    // The minimise cleared the frame's flag: a double click makes a plain
    // show. The menu, opened after it, tells that it was handled.
    PostTrayMouse(run, WM_LBUTTONDBLCLK);
    EXPECT_EQ(TrayMenuTexts(run), MenuOf("Hide", "About", "Exit")) << "a minimised dialog counts as shown";
    EXPECT_TRUE(IsIconic(main)) << "a plain show leaves the dialog minimised";

    PostFrameCommand(run, kShowHide);
    ASSERT_TRUE(WaitUntilShown(main, false));
    PostFrameCommand(run, kShowHide);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); })) << "Show also restores";

    PostFrameCommand(run, kShowHide);
    EXPECT_TRUE(WaitUntilShown(main, false));
    PostFrameCommand(run, kShowHide);
    EXPECT_TRUE(WaitUntilShown(main, true));
}

TEST(Tray, AboutShowsTheBoxAndExitAsksWhenChangesAreUnsaved)
{
    LumisatRun run("tray_about_exit");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();

    PostFrameCommand(run, kAbout);
    HWND about = WaitForWindow(run, "About NorvaneData V1.7.2.0");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), "NorvaneData Version V1.7.2.0");
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindow(about) == FALSE; }));

    // A language choice enables Apply: Exit then shows the dialog and asks.
    ASSERT_TRUE(ChooseLanguage(main, "French"));
    ASSERT_TRUE(WaitForText(main, IDC_MAIN_NEW, "Nouveau"));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntilShown(main, false));
    PostFrameCommand(run, kExit);
    HWND question = WaitForProgramMessage(run);
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(MessageBoxText(question),
              "L'application va se fermer. Enregistrer les r\xE9glages et les donn\xE9" "es modifi\xE9s ?");
    EXPECT_TRUE(Answer(question, IDNO));
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.RegistryString("Language"), "") << "No saves nothing";
}

