// The Help button and F1: which help file the HTML Help viewer shows. The
// viewer runs inside the program (hhctrl.ocx), so its window belongs to the
// program's process; each help file's title tells which one opened.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

// Wine's viewer window; Windows' own viewer uses the same class.
constexpr char kHelpWindowClass[] = "HH Parent";
constexpr char kEnglishTitle[] = "Lumisat Help";
constexpr char kGermanTitle[] = "Lumisat-Hilfe";
// What the system posts to the focused window for the F1 key; its default
// handling sends WM_HELP, which climbs to the main dialog.
constexpr UINT kKeyF1Message = 0x004D;

// The help files of the build beside its bin folder.
std::string BuiltHelpFolder()
{
    const std::string bin = EnvironmentFolder("LUMISAT_BIN");
    return bin.empty() ? bin : bin + "..\\Help\\";
}

bool HaveBuiltHelp(const char* language)
{
    return GetFileAttributesA((BuiltHelpFolder() + language + ".chm").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts the built help of `language` into the run's Help folder under the name `as`.
bool InstallHelp(const LumisatRun& run, const std::string& language, const std::string& as)
{
    CreateDirectoryA(run.PathOf("Help").c_str(), nullptr);
    return CopyFileA((BuiltHelpFolder() + language + ".chm").c_str(), run.PathOf("Help\\" + as + ".chm").c_str(),
                     FALSE) != FALSE;
}

// A language of its own with the English texts, so that only the help differs.
bool AddLanguage(const LumisatRun& run, const std::string& name)
{
    return CopyFileA(run.PathOf("Language\\English.txt").c_str(), run.PathOf("Language\\" + name + ".txt").c_str(),
                     FALSE) != FALSE;
}

HWND WaitForHelpWindow(const LumisatRun& run)
{
    HWND window = nullptr;
    WaitFor([&] { return (window = FindProcessWindow(run.ProcessId(), kHelpWindowClass, nullptr)) != nullptr; },
            seconds(15));
    return window;
}

size_t CountHelpWindows(const LumisatRun& run)
{
    return ProcessWindows(run.ProcessId(), WindowFilter{kHelpWindowClass, nullptr, true}).size();
}

void PressF1(const LumisatRun& run)
{
    PostMessageA(run.Control(IDOK), kKeyF1Message, 0, 0);
}

#define REQUIRE_BUILT_HELP(language)                                                              \
    if (!HaveBuiltHelp(language))                                                                 \
    GTEST_SKIP() << "no " << language << ".chm beside the build's bin folder (chmcmd missing?)"

}  // namespace

TEST(Help, ButtonAndF1OpenTheHelpOfTheCurrentLanguage)
{
    REQUIRE_BUILT_HELP("English");
    LumisatRun run("help_english");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(InstallHelp(run, "English", "English"));
    ASSERT_TRUE(run.Start());

    Click(run.Control(IDC_MAIN_HELP));
    HWND help = WaitForHelpWindow(run);
    ASSERT_NE(help, nullptr) << "the Help button opened no help window";
    EXPECT_EQ(WindowText(help), kEnglishTitle);

    // F1 closes the open help first, so there is still one window.
    PressF1(run);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(help); })) << "F1 closes the help that is open";
    help = WaitForHelpWindow(run);
    ASSERT_NE(help, nullptr) << "F1 opened no help window";
    EXPECT_EQ(WindowText(help), kEnglishTitle);
    EXPECT_EQ(CountHelpWindows(run), 1u);

    run.RequestExit();
    EXPECT_TRUE(run.WaitForExit()) << "the program ends with its help open";
}

TEST(Help, ButtonFallsBackToEnglishWhenTheLanguageHasNoHelp)
{
    REQUIRE_BUILT_HELP("English");
    REQUIRE_BUILT_HELP("German");
    {
        // The shipped German language file and its help.
        LumisatRun run("help_own_language");
        run.WriteIni(CardIni(0));
        run.SetRegistryString("Language", "German");
        ASSERT_TRUE(InstallHelp(run, "English", "English"));
        ASSERT_TRUE(InstallHelp(run, "German", "German"));
        ASSERT_TRUE(run.Start());
        Click(run.Control(IDC_MAIN_HELP));
        HWND help = WaitForHelpWindow(run);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(WindowText(help), kGermanTitle) << "the language's own help comes first";
    }
    LumisatRun run("help_fallback");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(AddLanguage(run, "Testish"));
    run.SetRegistryString("Language", "Testish");
    ASSERT_TRUE(InstallHelp(run, "English", "English"));
    ASSERT_TRUE(run.Start());

    // F1 asks for the language's own file only: no English help appears.
    PressF1(run);
    EXPECT_FALSE(WaitFor([&] { return CountHelpWindows(run) > 0; }, seconds(3)));
    EXPECT_TRUE(run.IsRunning());

    Click(run.Control(IDC_MAIN_HELP));
    HWND help = WaitForHelpWindow(run);
    ASSERT_NE(help, nullptr) << "the Help button opened no help window";
    EXPECT_EQ(WindowText(help), kEnglishTitle);
}
