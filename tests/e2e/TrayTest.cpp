// The notification-area icon's callback on the hidden frame: the popup menu
// and its texts, the double click, and the menu's commands.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

std::vector<std::wstring> MenuOf(const std::wstring& first, const std::wstring& about = L"About",
                                 const std::wstring& exit = L"Exit",
                                 const std::wstring& startWithWindows = L"Start with Windows")
{
    return {first, L"Signal...", startWithWindows, L"", about, L"", exit};
}

// A language file as the shipped ones are stored: UTF-16 little-endian with
// a byte-order mark (the text is ASCII).
std::string Utf16File(const std::string& asciiText)
{
    std::string bytes = "\xFF\xFE";
    for (char c : asciiText)
        bytes += std::string{c, '\0'};
    return bytes;
}

}  // namespace

TEST(Tray, MenuAndDoubleClickHideOrShowInTheChosenLanguageAndExitAsksWhenChangesAreUnsaved)
{
    LumisatRun run("tray");
    run.WriteIni(CardIni(0));
    run.WriteFile("Language\\Partial.txt", Utf16File("String36=Verbergen\r\nString38=\r\n"));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Hide"));
    ASSERT_TRUE(run.Hide());
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Show"));
    for (UINT ignored : {WM_LBUTTONUP, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONDBLCLK})
        run.TrayIconMouse(ignored);
    EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, milliseconds(800)));
    run.TrayIconMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));

    // A double click brings a minimised dialog back; the menu offers Hide
    // for it, and its Show/Hide hides it and shows it restored.
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
    run.TrayIconMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); }));
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Hide"));
    run.PostFrameCommand(kShowHideCommand);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
    run.PostFrameCommand(kShowHideCommand);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); }));

    ASSERT_TRUE(ChooseLanguage(run, "German"));
    ASSERT_TRUE(WaitFor([&] { return WindowText(run.Control(IDC_MAIN_NEW)) == "Neu"; }));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Ausblenden", L"\u00DCber", L"Beenden", L"Mit Windows starten"));
    // Keys missing or empty in the language file fall back to English.
    ASSERT_TRUE(ChooseLanguage(run, "Partial"));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Verbergen"));

    // The language choice enabled Apply: Exit shows the hidden dialog and asks; No saves nothing.
    ASSERT_TRUE(run.Hide());
    run.PostFrameCommand(kExitCommand);
    HWND question = run.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(AnswerBox(question, IDNO), "The App will exit,save current changed settings and data?");
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.RegistryString("Language"), "") << "No saves nothing";
}
