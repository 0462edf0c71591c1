// Bad input from outside the program: registry values of the wrong type, a
// start from another folder without a "PATH" from the installer, a program
// folder too deep for the file names, and a database file that is held by
// another program or damaged. The program starts, shows only its own
// messages, touches no file it was not meant to and ends cleanly. Read-only
// and unwritable database files and broken language files are left to the
// tests of the reader, the file replacement and the language files.
#include "tests/e2e/Scenario.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// A number under the local machine's settings key, which is read before the
// user's, for the life of the object.
class MachineNumber {
public:
    MachineNumber(const char* name, DWORD value) : name(name)
    {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, name, REG_DWORD, &value, sizeof(value));
    }
    ~MachineNumber() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKeyPath, name); }
    MachineNumber(const MachineNumber&) = delete;
    MachineNumber& operator=(const MachineNumber&) = delete;

private:
    const char* name;
};

}   // namespace

TEST(BadInput, MistypedRegistryValuesAreNotRead)
{
    LumisatRun run("bad_registry_types");
    const MachineNumber path("PATH", 1);
    // Beta's degree, but stored as bytes: read, it would make Beta current.
    const BYTE degree160[] = {160, 0, 0, 0};
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "CurDegree", REG_BINARY, degree160, sizeof(degree160));
    run.SetRegistryString("CurSatellite", "Beta");
    ASSERT_TRUE(StartWithSatellites(
        run, {{.name = "Alpha", .degree = 130}, {.name = "Beta", .degree = 160}, {.name = "Gamma", .degree = 190}}));
    EXPECT_EQ(run.TakeMessages(), Messages{});
    HWND satellites = run.Control(IDC_MAIN_SATELLITE_COMBO);
    EXPECT_EQ(ComboTexts(satellites), (Lines{"Alpha", "Beta", "Gamma"}))
        << "the database of the user's PATH, which the mistyped machine value leaves in place";
    EXPECT_EQ(ComboSelection(satellites), 0);

    ChooseItemNow(satellites, 2);
    ASSERT_TRUE(run.Apply());
    EXPECT_EQ(run.RegistryString("CurSatellite"), "Gamma");
    EXPECT_EQ(run.RegistryString("PATH"), run.Folder()) << "the user's own";
    DWORD degree = 0;
    EXPECT_TRUE(run.RegistryNumber("CurDegree", degree));
    EXPECT_EQ(degree, 190u) << "the applied satellite's";
    EXPECT_TRUE(run.ExitsCleanly());
}

TEST(BadInput, StartedFromAnotherFolderWithoutTheInstallersPathTheProgramFindsItsFiles)
{
    LumisatRun run("bad_no_machine_path");
    run.WriteIni(CardIni(0));
    run.WriteFile("satedata.dll", SatelliteFileBytes({Astra()}));
    // The user's "PATH" stays, then without it the program's own folder serves.
    for (const bool userPath : {true, false}) {
        SCOPED_TRACE(userPath);
        if (!userPath)
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "PATH");
        ASSERT_TRUE(run.Launch(FullPath(run.PathOf("Language"))) && run.WaitForMainDialog());
        EXPECT_EQ(run.TakeMessages(), Messages{}) << "no \"Can't Load language!\"";
        EXPECT_EQ(ComboTexts(run.Control(IDC_MAIN_SATELLITE_COMBO)), Lines{"Astra"});
        EXPECT_EQ(run.RegistryString("PATH"), userPath ? run.Folder() : "") << "nothing empty written over it";
        EXPECT_TRUE(run.ExitsCleanly());
    }
}

TEST(BadInput, ProgramFolderTooDeepForTheFileNamesOpensNone)
{
    namespace fs = std::filesystem;
    LumisatRun run("bad_deep_folder");
    run.WriteIni(CardIni(0));
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "PATH");
    // A program folder of 247 characters, in parts of at most 60: the program
    // itself still fits the path limit of 259 characters, "satedata.dll"
    // appended to the folder does not; cut short it would name "satedata".
    constexpr size_t kDeep = 247;
    std::string deep = FullPath(run.Folder() + "deep");
    while (deep.size() < kDeep) {
        // Never a last part of no characters.
        const size_t room = kDeep - deep.size() - 1;
        deep += "\\" + std::string(room == 60 ? 58 : std::min<size_t>(room, 59), 'd');
    }
    ASSERT_EQ(deep.size(), kDeep);
    ASSERT_TRUE(fs::create_directories(deep));
    ASSERT_TRUE(fs::copy_file(run.PathOf("Lumisat.exe"), deep + "\\Lumisat.exe"));
    const std::string database = SatelliteFileBytes({Astra()});
    std::ofstream(deep + "\\satedata", std::ios::binary) << database;

    // Started from the deep folder; the card's library is found in the working folder.
    ASSERT_TRUE(run.Launch(run.Folder(), deep + "\\"));
    // The language file's name does not fit either: the conversion reports
    // the file error, then the dialog cannot read the language.
    const Messages messages = run.TakeMessages(seconds(15));
    ASSERT_EQ(messages.size(), 2u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[0].rfind(deep.substr(0, 40), 0), 0u) << messages[0];
    EXPECT_LE(messages[0].size(), 255u);
    EXPECT_EQ(messages[1], "Can't Load language!");

    ASSERT_TRUE(run.WaitForMainDialog());
    EXPECT_EQ(WindowText(run.Control(IDC_MAIN_NEW)), "New") << "the English texts of the templates";
    EXPECT_EQ(ComboTexts(run.Control(IDC_MAIN_SATELLITE_COMBO)), Lines{});
    // OK saves the database and the settings, then hides the dialog.
    PostMessageA(run.MainDialog(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(run.MainDialog()) == FALSE; }));
    EXPECT_EQ(run.TakeMessages(), Messages{});
    EXPECT_TRUE(run.ExitsCleanly());
    EXPECT_EQ(std::distance(fs::directory_iterator(deep), fs::directory_iterator()), 2)
        << "the program and no file with a cut name";
    std::ostringstream kept;
    kept << std::ifstream(deep + "\\satedata", std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), database);
}

// A database file that another program holds at start-up, or that ends in
// the middle of a record, is said to be incomplete once the dialog is up.
// OK then asks before replacing it: No keeps it byte for byte, with the
// dialog shown and Apply on; Yes writes the list shown and keeps the old
// bytes in "satedata.dll.bak".
TEST(BadInput, DatabaseNotReadWholeIsReplacedOnlyWithConsent)
{
    const std::string whole = SatelliteFileBytes({Astra(), {.name = "Hotbird", .degree = 130}});
    struct Case {
        const char* name;
        bool held;
        std::string bytes;
        std::vector<FileSatellite> shown;
    };
    const Case cases[] = {{"held", true, whole, {}}, {"damaged", false, whole.substr(0, whole.size() - 30), {Astra()}}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        LumisatRun run(std::string("unread_database_") + test.name);
        run.WriteIni(CardIni(kSatelliteKind));
        run.WriteFile("satedata.dll", test.bytes);
        // Named as the program names it: from the "PATH" the run gives it.
        const std::string file = run.PathOf("satedata.dll");
        HANDLE hold = test.held ? CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                : INVALID_HANDLE_VALUE;
        ASSERT_EQ(hold != INVALID_HANDLE_VALUE, test.held);
        ASSERT_TRUE(run.Start());
        HWND notice = run.WaitForMessageBox(seconds(15));
        EXPECT_TRUE(IsWindowVisible(run.MainDialog())) << "told once the dialog is up";
        const std::string text = AnswerBox(notice, IDOK);
        EXPECT_EQ(text.rfind("The channel database could not be read whole when it was loaded:\n" + file +
                                 "\n\nThe list shown is incomplete",
                             0),
                  0u)
            << text;
        if (hold != INVALID_HANDLE_VALUE)
            CloseHandle(hold);
        run.WaitForStartupLock();
        Lines names;
        for (const FileSatellite& satellite : test.shown)
            names.push_back(satellite.name);
        EXPECT_EQ(ComboTexts(run.Control(IDC_MAIN_SATELLITE_COMBO)), names);
        ASSERT_TRUE(ChooseLanguage(run, "English"));   // a change: Apply on

        PostMessageA(run.MainDialog(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        const std::string question = run.AnswerNextBox(IDNO, seconds(15));
        EXPECT_NE(question.find(file + ".bak"), std::string::npos) << question;
        run.WaitUntilIdle();
        EXPECT_TRUE(IsWindowVisible(run.MainDialog()));
        EXPECT_TRUE(run.ApplyEnabled());
        EXPECT_EQ(run.ReadFile("satedata.dll"), test.bytes);
        EXPECT_FALSE(run.Exists("satedata.dll.bak"));

        PostMessageA(run.MainDialog(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_EQ(run.AnswerNextBox(IDYES, seconds(15)), question);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(run.MainDialog()) == FALSE; }));
        EXPECT_EQ(run.ReadFile("satedata.dll.bak"), test.bytes);
        EXPECT_EQ(run.ReadFile("satedata.dll"), SatelliteFileBytes(test.shown));
        EXPECT_TRUE(run.NoMessageBox());
        EXPECT_TRUE(run.ExitsCleanly());
    }
}
