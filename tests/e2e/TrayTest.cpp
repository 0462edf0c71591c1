// The program's shell: a second start, hiding, the exit request, and the
// notification-area icon's callback on the hidden frame: the popup menu and
// its texts, the double click, and the menu's commands.
#include "tests/e2e/Scenario.h"
#include "tests/unit/TestKit.h"

namespace {

std::vector<std::wstring> MenuOf(const std::wstring& first, const std::wstring& about = L"About",
                                 const std::wstring& exit = L"Exit",
                                 const std::wstring& startWithWindows = L"Start with Windows")
{
    return {first, L"Signal...", startWithWindows, L"", about, L"", exit};
}

}   // namespace

TEST(Shell, SecondStartHideTrayMenuAndDoubleClickInTheChosenLanguageAndExitAsksWhenChangesAreUnsaved)
{
    LumisatRun run("shell");
    Stages stage;
    run.WriteIni(CardIni(kSatelliteKind));
    run.WriteFile("Language\\Partial.txt", Utf16File(u"String36=Verbergen\r\nString38=\r\n"));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();
    const auto shown = [&] { return IsWindowVisible(main) && !IsIconic(main); };
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Hide"));

    stage("hidden, a second start shows the first, which alone takes exit request 1");
    ASSERT_TRUE(run.Hide());
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Show"));
    EXPECT_EQ(run.StartSecondInstance(), 0u);
    EXPECT_TRUE(WaitFor(shown));
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); })) << "the close box hides";
    run.RequestExit(0);
    run.RequestExit(2);
    EXPECT_FALSE(run.WaitForExit(kQuietWindow));
    EXPECT_TRUE(IsWindow(main)) << "hidden, not destroyed";

    stage("mouse messages on the icon");
    for (UINT ignored : {WM_LBUTTONUP, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONDBLCLK})
        run.TrayIconMouse(ignored);
    EXPECT_TRUE(NeverWithin([&] { return IsWindowVisible(main) != FALSE; }));
    run.TrayIconMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor(shown));

    // A double click brings a minimised dialog back; the menu offers Hide
    // for it, and its Show/Hide hides it and shows it restored.
    stage("minimised");
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
    run.TrayIconMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor(shown));
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Hide"));
    run.PostFrameCommand(kShowHideCommand);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }));
    run.PostFrameCommand(kShowHideCommand);
    EXPECT_TRUE(WaitFor(shown));

    // Keys missing or empty in the language file fall back to English.
    stage("the menu in the chosen language");
    ASSERT_TRUE(ChooseLanguage(run, "German"));
    ASSERT_TRUE(WaitFor([&] { return WindowText(run.Control(IDC_MAIN_NEW)) == "Neu"; }));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Ausblenden", L"\u00DCber", L"Beenden", L"Mit Windows starten"));
    ASSERT_TRUE(ChooseLanguage(run, "Partial"));
    EXPECT_EQ(run.TrayMenu(), MenuOf(L"Verbergen"));

    // The language choice enabled Apply: Exit shows the hidden dialog and asks; No saves nothing.
    stage("Exit with a change pending");
    ASSERT_TRUE(run.Hide());
    run.PostFrameCommand(kExitCommand);
    HWND question = run.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(AnswerBox(question, IDNO), kExitQuestion);
    EXPECT_TRUE(run.EndsCleanly());
    const Lines calls = run.CallLogLines();
    EXPECT_EQ(calls.at(calls.size() - 2).rfind("SetDiseCom1(0,0,0,0)", 0), 0u) << "the card is switched off first";
    EXPECT_EQ(run.RegistryString("Language"), "") << "No saves nothing";
}
