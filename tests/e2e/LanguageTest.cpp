// Translating the main dialog, its pages and dialogs from the shipped
// language files, switching language at run time, and the converted copies
// that the switch makes and removes.
#include "tests/e2e/ControlDriving.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/LanguageDriving.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/SimulatorIni.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

std::vector<FileSatellite> OneSatellite()
{
    FileSatellite satellite;
    satellite.name = "Astra 19.2E";
    satellite.degree = 192;
    satellite.transponders.push_back(FileTransponder{"11494 H", 11494, 22000, 1, 0});
    return {satellite};
}

std::string CopyOf(const LumisatRun& run, const std::string& language)
{
    return run.PathOf("Language\\" + language + ".txt.tmp");
}

// Closes a modal dialog with one of its buttons and waits until it is gone.
bool CloseDialog(HWND dialog, int buttonId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return WaitFor([&] { return IsWindow(dialog) == FALSE; });
}

// The main dialog itself once the message boxes of its start-up (which carry
// the same title) are gone.
HWND WaitForMainDialog(const LumisatRun& run)
{
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = run.FindTopLevel("#32770", kMainTitle);
        return dialog != nullptr && IsWindowVisible(dialog) && GetDlgItem(dialog, IDC_MAIN_NEW) != nullptr;
    }, std::chrono::seconds(20));
    return dialog;
}

// Answers the message boxes that appear while the program starts, in order,
// keeping their texts. Searched by text alone: the harness knows the process
// only once the start has returned.
class StartupMessages {
public:
    explicit StartupMessages(int count)
    {
        answerer = std::thread([this, count] {
            for (int i = 0; i < count; ++i) {
                HWND box = nullptr;
                if (!WaitFor([&] { return (box = FindMessageBox()) != nullptr; }, std::chrono::seconds(30)))
                    return;
                texts.push_back(MessageBoxText(box));
                captions.push_back(WindowText(box));
                Answer(box, IDOK);
            }
        });
    }
    ~StartupMessages() { Join(); }
    void Join()
    {
        if (answerer.joinable())
            answerer.join();
    }
    std::vector<std::string> texts;
    std::vector<std::string> captions;

private:
    static BOOL CALLBACK MatchMessageBox(HWND window, LPARAM context)
    {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) || GetDlgItem(window, 0xFFFF) == nullptr ||
            GetDlgItem(window, IDC_MAIN_NEW) != nullptr)
            return TRUE;
        *reinterpret_cast<HWND*>(context) = window;
        return FALSE;
    }
    static HWND FindMessageBox()
    {
        HWND found = nullptr;
        EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::thread answerer;
};

}  // namespace

TEST(Language, GermanTranslatesTheMainDialogEveryPageAndTheirDialogs)
{
    LumisatRun run("language_german");
    ASSERT_TRUE(StartWithSatellites(run, OneSatellite()));
    HWND main = run.MainDialog();
    EXPECT_EQ(WindowText(FindControl(main, IDC_MAIN_NEW)), "New");
    EXPECT_TRUE(FileExists(CopyOf(run, "English")));

    ASSERT_TRUE(ChooseLanguage(main, "German"));
    ASSERT_TRUE(WaitForText(main, IDC_MAIN_NEW, "Neu"));
    EXPECT_FALSE(FileExists(CopyOf(run, "English"))) << "the copy of the language left is deleted";
    EXPECT_TRUE(FileExists(CopyOf(run, "German")));
    EXPECT_EQ(WindowText(FindControl(main, IDC_MAIN_SATELLITE_GROUP)), "Satellitenliste");
    EXPECT_EQ(WindowText(FindControl(main, IDC_MAIN_SATELLITE_LABEL)), "Satellit:");
    EXPECT_EQ(WindowText(FindControl(main, IDC_MAIN_RESTORE)), "Zur\xFC" "cksetzen");
    EXPECT_EQ(WindowText(GetDlgItem(main, IDOK)), "OK");
    EXPECT_EQ(TabTexts(FindControl(main, IDC_MAIN_TAB)),
              (std::vector<std::string>{"LNB && Schalter", "Antenneneinstellung", "Filter    "}));
    EXPECT_EQ(WindowText(main), kMainTitle) << "the main dialog's caption stays";

    // Every page, shown or not; the Drive buttons that the user sees are the hold buttons.
    EXPECT_EQ(WindowText(FindControl(main, IDC_LNB_DISH_GROUP)), "Antennentyp");
    EXPECT_EQ(WindowText(FindControl(main, IDC_DISH_LOCK_TEST)), "Empfangstest");
    ASSERT_TRUE(ShowTab(main, kDishTab, IDC_DISH_LOCK_TEST));
    EXPECT_EQ(WindowText(FindVisibleControl(main, IDC_DISH_DRIVE_EAST)), "Nach Osten");
    EXPECT_EQ(WindowText(FindVisibleControl(main, IDC_DISH_DRIVE_WEST)), "Nach Westen");
    EXPECT_EQ(WindowText(FindControl(main, IDC_PID_LOAD)), "Aktivieren");

    // The pages' dialogs take the file that the page was given.
    Click(FindControl(main, IDC_DISH_NEW));
    HWND transponderInfo = WaitForWindow(run, "Transponderinfo");
    ASSERT_NE(transponderInfo, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(transponderInfo, IDC_TPINFO_VERTICAL)), "Vertikal");
    EXPECT_EQ(WindowText(GetDlgItem(transponderInfo, IDCANCEL)), "Abbrechen");
    EXPECT_TRUE(CloseDialog(transponderInfo, IDCANCEL));
    ASSERT_TRUE(ShowTab(main, 2, IDC_PID_ADD));
    Click(FindControl(main, IDC_PID_ADD));
    HWND pidInfo = WaitForWindow(run, "PID-Info");
    ASSERT_NE(pidInfo, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(pidInfo, IDC_PIDINFO_TYPE_LABEL)), "PID-Typ:");
    EXPECT_TRUE(CloseDialog(pidInfo, IDCANCEL));
    Click(FindControl(main, IDC_PID_MAC_CHANGE));
    HWND macAddress = WaitForWindow(run, "Change MAC Address");
    ASSERT_NE(macAddress, nullptr) << "this dialog has no caption key";
    EXPECT_EQ(WindowText(GetDlgItem(macAddress, IDC_MAC_SAVE)), "Speichern");
    EXPECT_EQ(WindowText(GetDlgItem(macAddress, IDCANCEL)), "Abbrechen");
    EXPECT_TRUE(CloseDialog(macAddress, IDCANCEL));

    EXPECT_TRUE(IsWindowEnabled(FindControl(main, IDC_MAIN_APPLY)));
    EXPECT_EQ(run.RegistryString("Language"), "") << "saved only with the settings";

    // The main dialog's own messages come from the converted copy.
    Click(FindControl(main, IDC_MAIN_REMOVE));
    HWND question = WaitForProgramMessage(run);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), "M\xF6" "chten Sie den aktuellen Satelliten wirklich entfernen?");
    EXPECT_TRUE(Answer(question, IDNO));

    Click(FindControl(main, IDC_MAIN_NEW));
    HWND satelliteInfo = WaitForWindow(run, "Satelliteninfo");
    ASSERT_NE(satelliteInfo, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(satelliteInfo, IDCANCEL)), "Abbrechen");
    EXPECT_EQ(WindowText(GetDlgItem(satelliteInfo, IDC_SATINFO_DEGREE_LABEL)), "Grad");
    EXPECT_TRUE(CloseDialog(satelliteInfo, IDCANCEL));

    PostFrameCommand(run, 32773);
    HWND about = WaitForWindow(run, "\xDC" "ber NorvaneData V1.7.2.0");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), "NorvaneData Version V1.7.2.0");
    EXPECT_TRUE(CloseDialog(about, IDOK));

    Click(FindControl(main, IDC_MAIN_APPLY));
    EXPECT_TRUE(WaitFor([&] { return run.RegistryString("Language") == "German"; }));
}

// On the Western code page 1252 the Chinese texts are read from code page
// 936 and reach every window, tab and the tray menu in UTF-16.
TEST(Language, SimplifiedChineseIsReadAsItIsAndGetsNoCopy)
{
    ASSERT_EQ(GetACP(), 1252u);
    LumisatRun run("language_chinese");
    ASSERT_TRUE(StartWithSatellites(run, OneSatellite()));
    HWND main = run.MainDialog();

    ASSERT_TRUE(ChooseLanguage(main, "Simplified Chinese"));
    ASSERT_TRUE(WaitFor([&] { return WideWindowText(FindControl(main, IDC_MAIN_NEW)) == L"\u65B0\u5EFA"; }));
    EXPECT_EQ(WideWindowText(FindControl(main, IDC_LNB_DISH_GROUP)), L"\u5929\u7EBF\u7C7B\u578B");
    EXPECT_EQ(WideWindowText(FindControl(main, IDC_DISH_TYPE_TEXT)), L"\u56FA\u5B9A") << "the LNB page's text";
    EXPECT_EQ(TabWideTexts(FindControl(main, IDC_MAIN_TAB)).at(0), L"LNB && \u5F00\u5173");
    EXPECT_EQ(WindowText(main), kMainTitle);
    const std::vector<std::wstring> menu = TrayMenuWideTexts(run);
    for (const wchar_t* item : {L"\u9690\u85CF", L"\u5173\u4E8E", L"\u9000\u51FA"})
        EXPECT_NE(std::find(menu.begin(), menu.end(), item), menu.end()) << menu.size();
    EXPECT_FALSE(FileExists(CopyOf(run, "Simplified Chinese")));
    EXPECT_FALSE(FileExists(CopyOf(run, "English")));

    ASSERT_TRUE(ChooseLanguage(main, "English"));
    EXPECT_TRUE(WaitForText(main, IDC_MAIN_NEW, "New"));
    EXPECT_TRUE(FileExists(CopyOf(run, "English")));
}

// A copy in code page 1251 has lost the German letters; the windows still
// show them. Run by ctest's e2e_tests_cp1251 (Wine takes the code page from
// the Unix locale, LC_ALL=ru_RU.UTF-8).
TEST(Language, GermanOnCodePage1251ReadsBackInUtf16)
{
    if (GetACP() != 1251)
        GTEST_SKIP() << "needs code page 1251";
    LumisatRun run("language_german_1251");
    ASSERT_TRUE(StartWithSatellites(run, OneSatellite()));
    HWND main = run.MainDialog();
    ASSERT_TRUE(ChooseLanguage(main, "German"));
    ASSERT_TRUE(WaitFor([&] { return WideWindowText(FindControl(main, IDC_MAIN_RESTORE)) == L"Zur\u00FCcksetzen"; }));
    EXPECT_EQ(WideWindowText(FindControl(main, IDC_DISH_TYPE_TEXT)), L"Fest");
    EXPECT_EQ(TabWideTexts(FindControl(main, IDC_MAIN_TAB)).at(1), L"Antenneneinstellung");
    const std::vector<std::wstring> menu = TrayMenuWideTexts(run);
    EXPECT_NE(std::find(menu.begin(), menu.end(), L"\u00DCber"), menu.end()) << menu.size();
}

TEST(Language, MissingLanguageFileReportsTheConversionThenCannotLoad)
{
    LumisatRun run("language_missing");
    run.WriteIni(CardIni(0));
    run.SetRegistryString("Language", "Klingon");
    StartupMessages messages(2);
    run.Start();
    messages.Join();
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_NE(messages.texts[0].find("Klingon.txt"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(messages.texts[1], "Can't Load language!");
    EXPECT_EQ(messages.captions[1], kMainTitle);

    HWND main = WaitForMainDialog(run);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(FindControl(main, IDC_MAIN_NEW)), "New");
    EXPECT_EQ(WindowText(FindControl(main, IDC_LNB_DISH_GROUP)), "Dish Type");
    EXPECT_FALSE(FileExists(CopyOf(run, "Klingon")));
    EXPECT_TRUE(run.IsRunning());
}

TEST(Language, ChannelCardsTakeTheirTabsAndTheSecondListTexts)
{
    const std::pair<int, std::vector<std::string>> cases[] = {
        {5, {"Kabeleinstellung", "Filter    "}},
        {7, {"Terrestrische Einstellung", "Filter    "}},
    };
    for (const auto& [kind, tabs] : cases) {
        LumisatRun run("language_kind_" + std::to_string(kind));
        run.WriteIni(CardIni(kind));
        run.SetRegistryString("Language", "German");
        ASSERT_TRUE(run.Start()) << kind;
        HWND main = run.MainDialog();
        EXPECT_EQ(WindowText(FindControl(main, IDC_MAIN_SATELLITE_LABEL)), "Kanal:") << kind;
        EXPECT_EQ(WindowText(FindControl(main, IDC_MAIN_SATELLITE_GROUP)), "Kanalliste") << kind;
        EXPECT_EQ(TabTexts(FindControl(main, IDC_MAIN_TAB)), tabs) << kind;
        EXPECT_EQ(WindowText(FindControl(main, kind == 7 ? IDC_DTT_LOCK_TEST : IDC_CABLE_LOCK_TEST)), "Empfangstest");
        EXPECT_EQ(WindowText(FindControl(main, IDC_PID_ADD)), "Hinzuf\xFCgen") << kind;
    }
}

TEST(Language, RestoreBringsBackTheSavedLanguageAndDropsTheOtherCopy)
{
    LumisatRun run("language_restore");
    run.WriteIni(CardIni(0));
    run.SetRegistryString("Language", "English");
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();
    ASSERT_TRUE(ChooseLanguage(main, "German"));
    ASSERT_TRUE(WaitForText(main, IDC_MAIN_NEW, "Neu"));

    Click(FindControl(main, IDC_MAIN_RESTORE));
    HWND question = WaitForProgramMessage(run);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question),
              "Die gespeicherten Einstellungen und Daten werden wiederhergestellt. Sind Sie sicher?");
    EXPECT_TRUE(Answer(question, IDYES));

    EXPECT_TRUE(WaitForText(main, IDC_MAIN_NEW, "New"));
    EXPECT_EQ(WindowText(FindControl(main, IDC_DISH_LOCK_TEST)), "Lock Test");
    HWND languages = FindControl(main, kLanguageCombo);
    EXPECT_EQ(WindowText(languages), "English");
    EXPECT_FALSE(FileExists(CopyOf(run, "German")));
    EXPECT_TRUE(FileExists(CopyOf(run, "English")));
    EXPECT_FALSE(IsWindowEnabled(FindControl(main, IDC_MAIN_APPLY)));
}
