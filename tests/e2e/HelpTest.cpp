// The Help button and F1: which help file the HTML Help viewer shows. The
// viewer runs inside the program (hhctrl.ocx), so its window belongs to the
// program's process; each help file's title tells which one opened.
#include "tests/e2e/Scenario.h"

namespace {

// Wine's viewer window; Windows' own viewer uses the same class.
constexpr char kHelpWindowClass[] = "HH Parent";
// What the system posts to the focused window for the F1 key; its default
// handling sends WM_HELP, which climbs to the main dialog.
constexpr UINT kKeyF1Message = 0x004D;

// Puts the build's help of the language, beside its bin folder, into the run's Help folder.
bool InstallHelp(const LumisatRun& run, const std::string& language)
{
    CreateDirectoryA(run.PathOf("Help").c_str(), nullptr);
    return CopyFileA((EnvironmentFolder("LUMISAT_BIN") + "..\\Help\\" + language + ".chm").c_str(),
                     run.PathOf("Help\\" + language + ".chm").c_str(), FALSE) != FALSE;
}

std::vector<HWND> HelpWindows(const LumisatRun& run)
{
    return ProcessWindows(run.ProcessId(), WindowFilter{kHelpWindowClass, nullptr, true});
}

// The title of the one help window that opens.
std::string OpenedHelp(const LumisatRun& run)
{
    if (!WaitFor([&] { return HelpWindows(run).size() == 1; }, seconds(15)))
        return "(" + std::to_string(HelpWindows(run).size()) + " help windows)";
    return WindowText(HelpWindows(run).front());
}

}   // namespace

TEST(Help, ButtonAndF1OpenTheLanguagesHelpAndOnlyTheButtonFallsBackToEnglish)
{
    LumisatRun run("help");
    run.WriteIni(CardIni(0));
    run.SetRegistryString("Language", "German");
    if (!InstallHelp(run, "English") || !InstallHelp(run, "German"))
        GTEST_SKIP() << "no built help beside the build's bin folder (chmcmd missing?)";
    // A language of its own with the English texts and no help.
    run.WriteFile("Language\\Testish.txt", run.ReadFile("Language\\English.txt"));
    ASSERT_TRUE(run.Start());

    Click(run.Control(IDC_MAIN_HELP));
    ASSERT_EQ(OpenedHelp(run), "Lumisat-Hilfe") << "the language's own help comes first";
    // F1 closes the open help first, so there is still one window.
    HWND help = HelpWindows(run).front();
    PostMessageA(run.Control(IDOK), kKeyF1Message, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(help); })) << "F1 closes the help that is open";
    ASSERT_EQ(OpenedHelp(run), "Lumisat-Hilfe");

    // F1 asks for the language's own file only: no English help appears.
    ASSERT_TRUE(ChooseLanguage(run, "Testish"));
    help = HelpWindows(run).front();
    PostMessageA(run.Control(IDOK), kKeyF1Message, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(help); }));
    EXPECT_TRUE(NeverWithin([&] { return !HelpWindows(run).empty(); }));
    Click(run.Control(IDC_MAIN_HELP));
    EXPECT_EQ(OpenedHelp(run), "Lumisat Help");

    // The language choice is unsaved: the exit asks, and No ends the program with its help open.
    run.RequestExit();
    EXPECT_EQ(run.TakeMessages(seconds(5)), Messages{kExitQuestion});
    EXPECT_TRUE(run.EndsCleanly());
}
