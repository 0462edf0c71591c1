// Languages on screen: switching at run time translates the main dialog, its
// pages, their dialogs, messages and the About box from the shipped files
// and keeps one converted copy; Chinese is read as it is. A language file
// that cannot be read is the bad input's scenario.
#include "tests/e2e/Scenario.h"

#include <algorithm>
#include <fstream>

namespace {

std::string CopyOf(const std::string& language) { return "Language\\" + language + ".txt.tmp"; }

// Opens a dialog with a click, reads one control's text and cancels it.
std::string TextInDialog(const LumisatRun& run, int button, const char* title, int control)
{
    Click(run.Control(button));
    HWND dialog = run.WaitForWindow(title);
    if (dialog == nullptr)
        return std::string("(no ") + title + ")";
    const std::string text = WindowText(GetDlgItem(dialog, control));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    WaitFor([&] { return IsWindow(dialog) == FALSE; });
    return text;
}

}   // namespace

TEST(Language, GermanTranslatesTheMainDialogEveryPageTheirDialogsAndTheOneAboutBoxAndChineseIsReadAsItIs)
{
    LumisatRun run("language_german");
    Stages stage;
    ASSERT_TRUE(StartWithSatellites(run, {Astra()}));
    EXPECT_TRUE(run.Exists(CopyOf("English")));
    stage("German");
    ASSERT_TRUE(ChooseLanguage(run, "German"));
    ASSERT_TRUE(WaitFor([&] { return WindowText(run.Control(IDC_MAIN_NEW)) == "Neu"; }));
    EXPECT_FALSE(run.Exists(CopyOf("English"))) << "the copy of the language left is deleted";
    EXPECT_TRUE(run.Exists(CopyOf("German")));
    EXPECT_EQ(TabWideTexts(run.Control(IDC_MAIN_TAB)),
              (std::vector<std::wstring>{L"LNB && Schalter", L"Antenneneinstellung", L"Filter    "}));
    EXPECT_EQ(WindowText(run.MainDialog()), kProgramTitle) << "the main dialog's caption stays";
    EXPECT_EQ(WindowText(run.Control(IDC_LNB_DISH_GROUP)), "Antennentyp");
    EXPECT_EQ(ComboTexts(run.Control(IDC_LNB_DISEQC_COMBO)).at(0), "Deaktiviert");
    EXPECT_EQ(ListViewHeadings(run.Control(IDC_PID_LIST)), (Lines{"PID", "Typ", "MAC-Adresse"}));
    ASSERT_TRUE(run.ShowTab(kDishTab, IDC_DISH_LOCK_TEST));
    EXPECT_EQ(WindowText(run.Control(IDC_DISH_TYPE_TEXT)), "Fest") << "as the LNB & Switch page names it";
    EXPECT_EQ(WindowText(FindVisibleControl(run.MainDialog(), IDC_DISH_DRIVE_EAST)), "Nach Osten") << "a hold button";
    EXPECT_EQ(TextInDialog(run, IDC_DISH_NEW, "Transponderinfo", IDC_TPINFO_VERTICAL), "Vertikal");
    EXPECT_EQ(TextInDialog(run, IDC_PID_MAC_CHANGE, "Change MAC Address", IDC_MAC_SAVE), "Speichern");
    Click(run.Control(IDC_MAIN_REMOVE));
    EXPECT_EQ(run.AnswerNextBox(IDNO), "M\xF6"
                                       "chten Sie den aktuellen Satelliten wirklich entfernen?");

    // One About box, owned by the main dialog so that it stays above it.
    stage("the About box");
    const std::string germanAbout = std::string("\xDC"
                                                "ber ") +
                                    kProgramTitle;
    run.PostFrameCommand(kAboutCommand);
    HWND about = run.WaitForWindow(germanAbout.c_str());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), kVersionLine) << "German words it as English does";
    EXPECT_EQ(GetWindow(about, GW_OWNER), run.MainDialog());
    run.PostFrameCommand(kAboutCommand);
    const WindowFilter aboutBoxes{"#32770", germanAbout.c_str(), true};
    EXPECT_TRUE(NeverWithin([&] { return ProcessWindows(run.ProcessId(), aboutBoxes).size() > 1; }));
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindow(about) == FALSE; }));

    EXPECT_EQ(run.RegistryString("Language"), "") << "saved only with the settings";
    Click(run.Control(IDC_MAIN_APPLY));
    EXPECT_TRUE(WaitFor([&] { return run.RegistryString("Language") == "German"; }));

    // On the Western code page 1252 the Chinese texts are read from code page
    // 936 and reach the windows, tabs and the tray menu in UTF-16.
    stage("Simplified Chinese, read as it is");
    ASSERT_EQ(GetACP(), 1252u);
    ASSERT_TRUE(ChooseLanguage(run, "Simplified Chinese"));
    ASSERT_TRUE(WaitFor([&] { return WideWindowText(run.Control(IDC_MAIN_NEW)) == L"\u65B0\u5EFA"; }));
    EXPECT_EQ(TabWideTexts(run.Control(IDC_MAIN_TAB)).at(0), L"LNB && \u5F00\u5173");
    const std::vector<std::wstring> menu = run.TrayMenu();
    EXPECT_NE(std::find(menu.begin(), menu.end(), L"\u5173\u4E8E"), menu.end());
    EXPECT_FALSE(run.Exists(CopyOf("Simplified Chinese"))) << "it gets no copy";
    EXPECT_FALSE(run.Exists(CopyOf("German"))) << "the copy of the language left is deleted";
}

// A message joining translated text with a path in the system's code page
// (1252: FC is "\u00FC") reads right as a whole.
TEST(Language, AGermanMessageNamesAPathWithAnUmlaut)
{
    ASSERT_EQ(GetACP(), 1252u);
    LumisatRun run("language_german_path");
    const std::string installation = run.PathOf("Gr\xFCn\\");
    ASSERT_TRUE(
        CreateDirectoryA(installation.c_str(), nullptr) &&
        CreateDirectoryA((installation + "Language").c_str(), nullptr) &&
        CopyFileA(run.PathOf("Language\\German.txt").c_str(), (installation + "Language\\German.txt").c_str(), TRUE));
    std::ofstream(installation + "satedata.dll", std::ios::binary) << SatelliteFileBytes({Astra()});
    run.SetRegistryString("PATH", installation);
    run.SetRegistryString("Language", "German");
    ASSERT_TRUE(StartWithSatellites(run, {}));
    ChooseItemNow(run.Control(IDC_MAIN_SATELLITE_COMBO), 0);
    // Held open without sharing, the file cannot be replaced.
    HANDLE held =
        CreateFileA((installation + "satedata.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Click(run.Control(IDC_MAIN_APPLY));
    HWND box = run.WaitForMessageBox();
    const std::wstring text = box != nullptr ? WideWindowText(GetDlgItem(box, 0xFFFF)) : L"(no message box)";
    AnswerBox(box, IDOK);
    CloseHandle(held);
    EXPECT_EQ(text.rfind(L"Die \u00C4nderungen konnten nicht gespeichert werden.", 0), 0u);
    EXPECT_NE(text.find(L"\\Gr\u00FCn\\satedata.dll"), std::wstring::npos);
}

// A copy in code page 1251 has lost the German letters; the windows still
// show them. Run by ctest's e2e_tests_cp1251 (Wine takes the code page from
// the Unix locale, LC_ALL=ru_RU.UTF-8).
TEST(Language, GermanOnCodePage1251ReadsBackInUtf16)
{
    if (GetACP() != 1251)
        GTEST_SKIP() << "needs code page 1251";
    LumisatRun run("language_german_1251");
    ASSERT_TRUE(StartWithSatellites(run, {Astra()}));
    ASSERT_TRUE(ChooseLanguage(run, "German"));
    ASSERT_TRUE(WaitFor([&] { return WideWindowText(run.Control(IDC_MAIN_RESTORE)) == L"Zur\u00FCcksetzen"; }));
    EXPECT_EQ(TabWideTexts(run.Control(IDC_MAIN_TAB)).at(1), L"Antenneneinstellung");
    const std::vector<std::wstring> menu = run.TrayMenu();
    EXPECT_NE(std::find(menu.begin(), menu.end(), L"\u00DCber"), menu.end());
}
