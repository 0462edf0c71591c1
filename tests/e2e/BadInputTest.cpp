// Bad input from outside the program: damaged, read-only, blocked and
// replaced database files, registry values too long or of the wrong type, a
// working folder too deep for the file names, and broken language files. The
// program starts, shows only its own messages, falls back to English texts,
// loses nothing it had and ends cleanly.
#include "tests/e2e/FaultScenario.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/ProgramProcess.h"
#include "tests/e2e/SatelliteFile.h"
#include "tests/e2e/SimulatorIni.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

using namespace faults;
using std::chrono::milliseconds;
using std::chrono::seconds;

namespace {

constexpr int kSatelliteCombo = 1002;
constexpr int kApply = 1009;
constexpr int kRestore = 1166;
constexpr char kSettingsKey[] = "Software\\Tavio\\Skyfold";
constexpr char kRestoreQuestion[] = "The App will restore settings and data, are you sure?";
using Messages = std::vector<std::string>;

std::vector<FileSatellite> Satellites(const std::vector<std::string>& names)
{
    std::vector<FileSatellite> satellites;
    std::int32_t degree = 100;
    for (const std::string& name : names) {
        FileSatellite satellite;
        satellite.name = name;
        satellite.degree = degree += 30;
        satellite.transponders = {{"11494 H 22000", 11494, 22000, 1, 0}, {"12603 V 22000", 12603, 22000, 0, 0}};
        satellites.push_back(satellite);
    }
    return satellites;
}

const std::vector<std::string> kThreeNames = {"Alpha 13.0E", "Beta 16.0E", "Gamma 19.0E"};

std::string ThreeSatellitesFile()
{
    return SatelliteFileBytes(Satellites(kThreeNames));
}

// Bytes of a fixed pseudo-random sequence, the same on every run.
std::string Garbage(std::size_t size, std::uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

void PutInt32(std::string& bytes, std::size_t at, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

// One satellite with one transponder, every count in the file the largest
// there is.
std::string HugeCountsFile()
{
    std::vector<FileSatellite> one = Satellites({"Alpha 13.0E"});
    one[0].transponders.resize(1);
    std::string bytes = SatelliteFileBytes(one);
    constexpr std::size_t kSatelliteCount = 0, kTransponderCount = 4 + 64, kPidCount = 4 + 68 + 44;
    for (std::size_t at : {kSatelliteCount, kTransponderCount, kPidCount})
        PutInt32(bytes, at, 0x7FFFFFFF);
    return bytes;
}

HWND Combo(const LumisatRun& run)
{
    return FindControl(run.MainDialog(), kSatelliteCombo);
}

// Starts on a card without a line-up and the database bytes; the messages of
// the start-up.
Messages StartOn(LumisatRun& run, const std::string& database)
{
    run.WriteIni(CardIni(0));
    run.WriteFile("satedata.dll", database);
    if (!run.Start())
        return {"(no main dialog)"};
    WaitForStartupLock(run);
    return TakeMessages(run, milliseconds(500));
}

// Starts the program and collects the messages of its start-up until its
// main dialog shows and no message has come for a while. The harness's own
// start would take a start-up message box for the main dialog (both carry the
// program's title).
HWND LaunchCollectingMessages(LumisatRun& run, Messages& messages)
{
    if (!run.Launch())
        return nullptr;
    HWND dialog = nullptr;
    WaitFor([&] {
        const Messages more = TakeMessages(run, milliseconds(500));
        messages.insert(messages.end(), more.begin(), more.end());
        dialog = MainDialogOf(run.ProcessId());
        return dialog != nullptr && IsWindowVisible(dialog) && more.empty();
    }, seconds(30));
    return dialog;
}

enum class ApplyEnd { Saved, Pending, NotRun };

// Chooses a satellite (which enables Apply) and presses Apply. Apply writes
// the settings last, so the chosen satellite's name in the registry tells
// that its save ran; the Apply button then tells whether the database was
// saved.
ApplyEnd ChooseAndApply(const LumisatRun& run, int satellite)
{
    HWND apply = FindControl(run.MainDialog(), kApply);
    ChooseComboItem(Combo(run), satellite);
    if (!WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }, seconds(5)))
        return ApplyEnd::NotRun;
    const std::string chosen = ComboTexts(Combo(run)).at(static_cast<std::size_t>(satellite));
    run.SetRegistryString("CurSatellite", "(before Apply)");
    Click(apply);
    if (!WaitFor([&] { return run.RegistryString("CurSatellite") == chosen; }, seconds(12)))
        return ApplyEnd::NotRun;
    // The settings are written before Apply's button is set: a message sent
    // now is taken only after the click's handler has returned.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(run.MainDialog(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored))
        return ApplyEnd::NotRun;
    return IsWindowEnabled(apply) ? ApplyEnd::Pending : ApplyEnd::Saved;
}

// The one message box of a failed save, answered.
void ExpectSaveFailureTold(const LumisatRun& run)
{
    const Messages messages = TakeMessages(run, milliseconds(200), seconds(5));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("The changes could not be saved.", 0), 0u) << messages[0];
}

void ExpectCleanExit(LumisatRun& run)
{
    ProcessWatch watch(run.ProcessId());
    run.RequestExit();
    EXPECT_TRUE(run.WaitForExit(seconds(10)));
    EXPECT_EQ(watch.ExitCode(), 0u);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A value under the local machine's settings key for the life of the object.
class MachineValue {
public:
    MachineValue(const char* name, DWORD type, const void* data, DWORD size) : name(name)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0)
            return;
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    ~MachineValue() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, name); }
    MachineValue(const MachineValue&) = delete;
    MachineValue& operator=(const MachineValue&) = delete;

private:
    const char* name;
};

std::string FullPath(const std::string& path)
{
    char full[1024] = {};
    DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    return length > 0 && length < sizeof(full) ? std::string(full, length) : path;
}

std::string UserString(const char* name)
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != 0)
        return "(unreadable)";
    return buffer;
}

// Hiding a message box would otherwise wait two seconds for a window manager
// that the test display does not have.
class BadInput : public ::testing::Test {
    UnmanagedProgramWindows unmanaged;
};

}  // namespace

TEST_F(BadInput, DamagedDatabaseFilesKeepTheirWholeRecordsAndStayUntouched)
{
    const std::string whole = ThreeSatellitesFile();
    // The third satellite's block begins after the root count and two
    // satellites with two transponders each.
    const std::size_t thirdSatellite = 4 + 2 * (68 + 2 * 48);
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::vector<std::string>> listed;
    } cases[] = {
        {"truncated", whole.substr(0, thirdSatellite + 10), std::vector<std::string>{kThreeNames[0], kThreeNames[1]}},
        {"huge_counts", HugeCountsFile(), std::vector<std::string>{"Alpha 13.0E"}},
        {"random", Garbage(4096, 7), std::nullopt},
    };
    for (const auto& file : cases) {
        SCOPED_TRACE(file.name);
        LumisatRun run(std::string("bad_database_") + file.name);
        EXPECT_EQ(StartOn(run, file.bytes), Messages{});
        if (file.listed)
            EXPECT_EQ(ComboTexts(Combo(run)), *file.listed);
        EXPECT_TRUE(Answers(run.MainDialog(), seconds(2)));
        ExpectCleanExit(run);
        EXPECT_EQ(run.ReadFile("satedata.dll"), file.bytes) << "nothing is saved without Apply";
    }
}

TEST_F(BadInput, ReadOnlyDatabaseIsReplacedAtApply)
{
    LumisatRun run("bad_database_read_only");
    // Bytes after the last record are dropped by a save, which shows that it happened.
    const std::string stored = ThreeSatellitesFile() + "trailing bytes";
    run.WriteFile("satedata.dll", stored);
    ASSERT_TRUE(SetFileAttributesA(run.PathOf("satedata.dll").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(StartOn(run, stored), Messages{});

    EXPECT_EQ(ChooseAndApply(run, 1), ApplyEnd::Saved);
    EXPECT_EQ(run.ReadFile("satedata.dll"), ThreeSatellitesFile());
    EXPECT_EQ(TakeMessages(run, milliseconds(200)), Messages{});
    ExpectCleanExit(run);
}

TEST_F(BadInput, ApplyThatCannotWriteKeepsTheOldFileAndTheChangesPending)
{
    LumisatRun run("bad_database_unwritable");
    const std::string stored = ThreeSatellitesFile() + "trailing bytes";
    const std::string file = run.PathOf("satedata.dll");
    const std::string copy = run.PathOf("~save.new");  // the save's side copy
    EXPECT_EQ(StartOn(run, stored), Messages{});

    // A folder where the new copy would be written.
    ASSERT_TRUE(CreateDirectoryA(copy.c_str(), nullptr));
    EXPECT_EQ(ChooseAndApply(run, 1), ApplyEnd::Pending);
    ExpectSaveFailureTold(run);
    EXPECT_EQ(run.ReadFile("satedata.dll"), stored);
    ASSERT_TRUE(RemoveDirectoryA(copy.c_str()));

    // The file held open by another program that shares nothing.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ChooseAndApply(run, 2), ApplyEnd::Pending);
    ExpectSaveFailureTold(run);
    CloseHandle(held);
    EXPECT_EQ(run.ReadFile("satedata.dll"), stored);
    EXPECT_FALSE(Exists(copy)) << "the copy that could not be put in place is removed";

    // Once the file is free again, Apply saves.
    EXPECT_EQ(ChooseAndApply(run, 0), ApplyEnd::Saved);
    EXPECT_EQ(run.ReadFile("satedata.dll"), ThreeSatellitesFile());

    // Changes that could not be saved are not dropped silently at exit.
    held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ChooseAndApply(run, 1), ApplyEnd::Pending);
    ExpectSaveFailureTold(run);
    run.RequestExit();
    EXPECT_EQ(TakeMessages(run, milliseconds(500), seconds(5)),
              Messages{"The App will exit,save current changed settings and data?"});
    EXPECT_TRUE(run.WaitForExit(seconds(10)));
    CloseHandle(held);
}

TEST_F(BadInput, RestoreReadsTheFileReplacedWhileRunning)
{
    LumisatRun run("bad_database_replaced");
    EXPECT_EQ(StartOn(run, ThreeSatellitesFile()), Messages{});
    const std::vector<std::string> replacement = {"Delta 23.5E", "Epsilon 28.2E", "Zeta 31.5E", "Eta 39.0E"};
    run.WriteFile("satedata.dll", SatelliteFileBytes(Satellites(replacement)));

    Click(FindControl(run.MainDialog(), kRestore));
    HWND question = WaitForProgramMessage(run);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), kRestoreQuestion);
    AnswerMessageBox(question, IDYES);
    EXPECT_TRUE(WaitFor([&] { return ComboTexts(Combo(run)) == replacement; }, seconds(5)));
    EXPECT_EQ(TakeMessages(run, milliseconds(200)), Messages{});
    ExpectCleanExit(run);
}

TEST_F(BadInput, OverlongOrMistypedRegistryValuesAreNotRead)
{
    const std::string elsewhere = "Z:\\elsewhere\\" + std::string(100, 'x') + "\\";
    const DWORD number = 1;
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant == 0 ? "PATH of 115 characters" : "PATH a number, CurDegree a string");
        LumisatRun run(variant == 0 ? "bad_registry_long" : "bad_registry_types");
        MachineValue path = variant == 0
            ? MachineValue("PATH", REG_SZ, elsewhere.c_str(), static_cast<DWORD>(elsewhere.size()))
            : MachineValue("PATH", REG_DWORD, &number, sizeof(number));
        if (variant == 1) {
            run.SetRegistryString("CurDegree", "160");
            run.SetRegistryString("CurSatellite", kThreeNames[1]);
        }
        EXPECT_EQ(StartOn(run, ThreeSatellitesFile()), Messages{});
        EXPECT_EQ(ComboTexts(Combo(run)), kThreeNames) << "the working folder's database";

        EXPECT_EQ(ChooseAndApply(run, 2), ApplyEnd::Saved);
        EXPECT_EQ(_stricmp(UserString("PATH").c_str(), FullPath(run.Folder()).c_str()), 0) << UserString("PATH");
        DWORD degree = 0;
        EXPECT_TRUE(run.RegistryNumber("CurDegree", degree));
        EXPECT_EQ(degree, 190u) << "the applied satellite's";
        ExpectCleanExit(run);
    }
}

namespace {

// A folder whose full path has exactly `length` characters, made of parts
// below `base` (whose full path must be shorter).
std::string DeepFolder(const std::string& base, std::size_t length)
{
    std::string path = FullPath(base);
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    CreateDirectoryA(path.c_str(), nullptr);
    while (path.size() + 1 < length) {
        const std::size_t room = length - path.size() - 1;
        std::size_t part = std::min<std::size_t>(room, 60);
        if (room - part == 1)
            --part;   // a last part of one character rather than none
        path += "\\" + std::string(part, 'd');
        CreateDirectoryA(path.c_str(), nullptr);
    }
    return path;
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

TEST_F(BadInput, WorkingFolderTooDeepForTheFileNamesOpensNone)
{
    LumisatRun run("bad_deep_folder");
    run.WriteIni(CardIni(0));
    // Without "PATH" the working folder is the installation path.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "PATH");
    const std::string deep = DeepFolder(run.Folder() + "deep", 250);
    ASSERT_EQ(deep.size(), 250u);
    // "satedata.dll" appended to the folder does not fit 259 characters; cut
    // short it would name this file.
    const std::string cutName = deep + "\\satedata";
    const std::string database = ThreeSatellitesFile();
    HANDLE file = CreateFileA(cutName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, database.data(), static_cast<DWORD>(database.size()), &written, nullptr);
    CloseHandle(file);

    // Started from its installation folder with the deep folder as its working folder.
    ProgramProcess program;
    ASSERT_TRUE(program.Start(run.PathOf("Lumisat.exe"), deep));
    // The language file's name does not fit either: the conversion reports
    // the file error, then the dialog cannot read the language.
    const Messages messages = TakeMessages(program.Id(), seconds(1), seconds(15));
    ASSERT_EQ(messages.size(), 2u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[0].rfind(deep.substr(0, 40), 0), 0u) << messages[0];
    EXPECT_LE(messages[0].size(), 255u);
    EXPECT_EQ(messages[1], "Can't Load language!");

    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = MainDialogOf(program.Id())) != nullptr; }));
    EXPECT_EQ(ComboTexts(FindControl(dialog, kSatelliteCombo)), std::vector<std::string>{});
    // OK saves the database and the settings, then hides the dialog.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(dialog) == FALSE; }));
    EXPECT_EQ(TakeMessages(program.Id(), milliseconds(300)), Messages{});

    PostMessageA(program.TopLevelWindow({kFrameClass}), RegisterWindowMessageA(kExitRequestMessage), 1, 0);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(FolderEntries(deep), std::vector<std::string>{"satedata"}) << "no file was created with a cut name";
    std::string kept(database.size() + 16, '\0');
    file = CreateFileA(cutName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD read = 0;
    ReadFile(file, kept.data(), static_cast<DWORD>(kept.size()), &read, nullptr);
    CloseHandle(file);
    kept.resize(read);
    EXPECT_EQ(kept, database);
}

namespace {

// A UTF-16 language file as the shipped ones are: byte-order mark, then the text.
std::string Utf16File(const std::string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

struct LanguageCase {
    const char* name;
    std::optional<std::string> file;   // none: the file is missing
    std::string restoreButton;         // what the Restore button shows
    std::string restoreQuestion;
};

std::vector<LanguageCase> BrokenLanguageFiles()
{
    const std::string long100k(100000, 'B');
    return {
        {"missing", std::nullopt, "Restore", kRestoreQuestion},
        {"empty", std::string(), "Restore", kRestoreQuestion},
        {"garbage", Garbage(4096, 11), "Restore", kRestoreQuestion},
        // Lines after lines of 100,000 characters still count.
        {"long_lines", Utf16File(std::string(100000, 'A') + "\r\n1166=" + long100k + "\r\nString26=Reload all?\r\n"),
         long100k, "Reload all?"},
        {"odd_size", Utf16File("1166=Reload\r\nString26=Reload all?\r\n") + "Z", "Reload", "Reload all?"},
    };
}

}  // namespace

TEST_F(BadInput, BrokenLanguageFilesFallBackToEnglish)
{
    for (const LanguageCase& language : BrokenLanguageFiles()) {
        SCOPED_TRACE(language.name);
        LumisatRun run(std::string("bad_language_") + language.name);
        run.WriteIni(CardIni(0));
        run.WriteFile("satedata.dll", ThreeSatellitesFile());
        if (language.file)
            run.WriteFile("Language\\English.txt", *language.file);
        else
            DeleteFileA(run.PathOf("Language\\English.txt").c_str());
        Messages messages;
        const HWND dialog = LaunchCollectingMessages(run, messages);
        ASSERT_NE(dialog, nullptr);
        if (language.file) {
            EXPECT_EQ(messages, Messages{});
        } else {
            ASSERT_EQ(messages.size(), 2u) << ::testing::PrintToString(messages);
            EXPECT_NE(messages[0].find("English.txt"), std::string::npos) << messages[0];
            EXPECT_EQ(messages[1], "Can't Load language!");
        }
        // The harness reads at most 1023 characters of a window's text.
        EXPECT_EQ(WindowText(FindControl(dialog, kRestore)), language.restoreButton.substr(0, 1023));

        Click(FindControl(dialog, kRestore));
        EXPECT_EQ(TakeMessages(run, milliseconds(500), seconds(10)), Messages{language.restoreQuestion});
        EXPECT_TRUE(Answers(dialog, seconds(2)));
        ExpectCleanExit(run);
    }
}
