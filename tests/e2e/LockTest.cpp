// Locking as the driver sees it on every kind of card: the start-up lock and
// its call order, every switch input, the automatic searches of cable and
// terrestrial channels, Lock Test with its wait dialog, the silent re-lock of
// the signal poll, and a driver that hangs inside LockChannel3. No scenario
// may have two LockChannel3 calls in flight at once.
#include "tests/e2e/ChannelScenario.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/SimulatorIni.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

using namespace scenario;

namespace {

constexpr int kSatelliteCombo = 1002;
constexpr int kApply = 1009;
constexpr int kCableFrequency = 1136;
constexpr int kCableSymbolRate = 1142;
constexpr int kCableQam = 1145;
constexpr int kCableLockTest = 1151;
constexpr int kTerrestrialFrequency = 1203;
constexpr int kTerrestrialBandwidth = 1205;
constexpr int kTerrestrialLockTest = 1200;

struct ChannelCard {
    const char* lineUp;
    const char* database;
    int kind;
};
const ChannelCard kCable{"cable.ini", "cabledata.dll", kCableKind};
const ChannelCard kTerrestrial{"terrestrial.ini", "DTTdata.dll", kTerrestrialKind};

bool StartDemo(LumisatRun& run, const ChannelCard& card, const std::string& extra = std::string(),
               int lockTimeMs = 50)
{
    run.WriteIni(DemoLineUpIni(card.lineUp, extra, lockTimeMs));
    run.WriteFile(card.database, DemoFile(card.database));
    return run.Start();
}

bool StartSatelliteDemo(LumisatRun& run, const std::string& extra = std::string())
{
    run.WriteIni(DemoIni(extra));
    run.WriteFile("satedata.dll", DemoFile("satedata.dll"));
    return run.Start();
}

// Makes the channel current at start-up, as a saved selection does.
void SelectChannelAtStart(const LumisatRun& run, const char* name)
{
    run.SetRegistryString("CurSatellite", name);
    run.SetRegistryNumber("CurDegree", 3600);
}

// The first successful signal poll from `from` on whose lock flag (the last
// output) is the given digit.
size_t FindPoll(const std::vector<std::string>& lines, char lockFlag, size_t from)
{
    for (size_t at = FindLine(lines, "GetSignalStrAndQu() = 0 ->", from); at != std::string::npos;
         at = FindLine(lines, "GetSignalStrAndQu() = 0 ->", at + 1)) {
        if (lines[at].back() == lockFlag && lines[at][lines[at].size() - 2] == ',')
            return at;
    }
    return std::string::npos;
}

// The LockChannel3 calls from line `from` on, without the simulator's notes.
std::vector<std::string> LockCallsFrom(const LumisatRun& run, size_t from)
{
    std::vector<std::string> calls = CallsFrom(run, "LockChannel3(", from);
    for (std::string& call : calls)
        call = call.substr(0, call.find(" # "));
    return calls;
}

// The shipped English file without one key, so that a page's own English
// text shows for it.
void RemoveLanguageKey(const LumisatRun& run, const std::wstring& key)
{
    const std::string bytes = run.ReadFile("Language\\English.txt");
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    const size_t at = text.find(L"\r\n" + key + L"=");
    ASSERT_NE(at, std::wstring::npos);
    text.erase(at, text.find(L"\r\n", at + 2) - at);
    run.WriteFile("Language\\English.txt",
                  std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
}

} // namespace

TEST(Lock, SatelliteStartupSendsTheSwitchCommandsThenLocksAndStartsTheFilter)
{
    LumisatRun run("lock_satellite_startup");
    ASSERT_TRUE(StartSatelliteDemo(run));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));

    // Astra 19.2E on "LNB A" with tone off and power on; 11494 MHz horizontal.
    const std::vector<std::string> lines = run.CallLogLines();
    EXPECT_TRUE(HasInOrder(lines, {"InitDise(", "GetCIInfo(", "SetDiseCom1(0,0,0,1) = 0", "SetDiseCom2(E0,10,38,F2) = 0",
                                   "SetDiseCom1(0,0,0,1) = 0", "LockChannel3(11494,22000,1,1,1,9750,10600) = 0",
                                   "StartFilter() = 0"}));
    const size_t firstLock = FindLine(lines, "LockChannel3(");
    const size_t firstSwitch = FindLine(lines, "SetDiseCom2(");
    EXPECT_LT(firstSwitch, firstLock) << "the switch is set before the card is tuned";
    EXPECT_EQ(FindLine(lines, "StartFilter("), FindLine(lines, "StartFilter() = 0"))
        << "the filter starts only after a lock";
    EXPECT_TRUE(WaitForBarColour(run.MainDialog(), kLockedGreen));
    EXPECT_EQ(OverlappingLockCalls(run), 0);
}

TEST(Lock, EverySwitchInputLocksTheSatelliteOnIt)
{
    // The demo line-up's inputs B and C see 13.0E and 28.2E, D the motorised
    // dish, turned here to 19.2E.
    struct Input {
        FileSatellite satellite;
        const char* switchCommand;
        const char* lock;
    };
    const Input inputs[] = {
        {{.name = "B", .degree = 130, .diseqcPort = 2, .transponders = {{"10971H/29700", 10971, 29700, 1}}},
         "SetDiseCom2(E0,10,38,F6) = 0", "LockChannel3(10971,29700,1,1,1,9750,10600) = 0"},
        {{.name = "C", .degree = 282, .diseqcPort = 3, .transponders = {{"10847V/23000", 10847, 23000, 0}}},
         "SetDiseCom2(E0,10,38,F8) = 0", "LockChannel3(10847,23000,0,1,1,9750,10600) = 0"},
        {{.name = "D", .degree = 192, .diseqcPort = 4, .transponders = {{"11494H/22000", 11494, 22000, 1}}},
         "SetDiseCom2(E0,10,38,FE) = 0", "LockChannel3(11494,22000,1,1,1,9750,10600) = 0"},
    };
    std::vector<FileSatellite> satellites;
    for (const Input& input : inputs)
        satellites.push_back(input.satellite);
    LumisatRun run("lock_every_switch_input");
    run.WriteIni(DemoIni("[Motor]\nAngle=15.64\n"));
    run.WriteFile("satedata.dll", SatelliteFileBytes(satellites));
    ASSERT_TRUE(run.Start());
    WaitForStartupLock(run);

    // The start-up locks the first; Apply after a choice locks each other one.
    for (size_t index = 0; index < std::size(inputs); ++index) {
        const size_t before = index == 0 ? 0 : run.CallLogLines().size();
        if (index > 0) {
            ChooseItemNow(FindControl(run.MainDialog(), kSatelliteCombo), static_cast<int>(index));
            ClickIn(run.MainDialog(), kApply);
        }
        ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", before)) << inputs[index].satellite.name;
        EXPECT_TRUE(HasInOrder(run.CallLogLines(), {inputs[index].switchCommand, inputs[index].lock}, before))
            << inputs[index].satellite.name;
        EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(FindControl(run.MainDialog(), kApply)); }));
    }
    EXPECT_EQ(OverlappingLockCalls(run), 0);
}

// Two satellites on other switch inputs list the same transponder; only the
// first sends it, and the card answers slowly. The lock kept for the first
// says nothing of the second.
TEST(Lock, KeptLockCountsOnlyForTheSwitchInputItWasMadeOn)
{
    LumisatRun run("lock_kept_other_input");
    run.WriteIni(CardIni(0, "[Switch]\nLNB A=19.2E\nLNB B=13.0E\n"
                            "[Transponder]\nSatellite=19.2E\nFrequency=11494\nPolarity=H\nSymbolRate=22000\n"
                            "[Fault LockChannel3]\nDelayMs=1000\n"));
    const FileTransponder shared{"11494H/22000", 11494, 22000, 1};
    run.WriteFile("satedata.dll", SatelliteFileBytes({{.name = "A", .degree = 192, .diseqcPort = 1, .transponders = {shared}},
                                                      {.name = "B", .degree = 130, .diseqcPort = 2, .transponders = {shared}}}));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    WaitForStartupLock(run);

    const size_t before = run.CallLogLines().size();
    ChooseItemNow(FindControl(run.MainDialog(), kSatelliteCombo), 1);
    ClickIn(run.MainDialog(), kApply);
    ASSERT_TRUE(run.WaitForCall("LockChannel3(11494,22000,1,1,1,9750,10600) = 1", before));
    EXPECT_TRUE(CallsFrom(run, "StartFilter(", before).empty()) << "reported locked before the card answered";
    EXPECT_TRUE(WaitForBarColour(run.MainDialog(), kUnlockedRed));
    EXPECT_EQ(OverlappingLockCalls(run), 0);
}

// What the scenarios' check of overlapping calls rests on.
TEST(Lock, SimulatorNotesALockCallMadeWhileAnotherIsInFlight)
{
    LumisatRun run("lock_overlap_noted");
    run.WriteIni(CardIni(0, "[Card]\nLockTimeMs=1000\n"));
    HMODULE simulator = LoadLibraryA(run.PathOf("Quarlink.dll").c_str());
    ASSERT_NE(simulator, nullptr);
    const auto initDise = reinterpret_cast<int(WINAPI*)()>(GetProcAddress(simulator, "InitDise"));
    const auto lock = reinterpret_cast<int(WINAPI*)(int, int, int, int, int, int, int)>(
        GetProcAddress(simulator, "_LockChannel3@28"));
    ASSERT_TRUE(initDise && lock);
    ASSERT_EQ(initDise(), 0);

    std::thread first([lock] { lock(11494, 22000, 1, 1, 1, 9750, 10600); });
    Sleep(200);
    lock(11494, 22000, 1, 1, 1, 9750, 10600);
    first.join();
    EXPECT_EQ(OverlappingLockCalls(run), 1);
    lock(11494, 22000, 1, 1, 1, 9750, 10600);
    EXPECT_EQ(OverlappingLockCalls(run), 1) << "a call after the others returned does not overlap";
    FreeLibrary(simulator);
}

TEST(Lock, CableAndTerrestrialStartupTuneTheFirstChannelWithoutSwitchCommands)
{
    const std::pair<ChannelCard, std::string> cases[] = {
        {kCable, "LockChannel3(474000,6900,64,0,0,0,0) = 0"},
        {kTerrestrial, "LockChannel3(506000,8,0,0,0,0,0) = 0"},
    };
    for (const auto& [card, lock] : cases) {
        LumisatRun run(std::string("lock_startup_") + card.lineUp);
        ASSERT_TRUE(StartDemo(run, card)) << card.lineUp;
        ASSERT_TRUE(run.WaitForCall("StartFilter() = 0")) << card.lineUp;
        EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"InitDise(", lock, "StartFilter() = 0"})) << card.lineUp;
        EXPECT_TRUE(WaitForBarColour(run.MainDialog(), kLockedGreen)) << card.lineUp;

        run.RequestExit();
        ASSERT_TRUE(run.WaitForExit()) << card.lineUp;
        const std::vector<std::string> lines = run.CallLogLines();
        EXPECT_EQ(FindLine(lines, "SetDiseCom2("), std::string::npos) << card.lineUp;
        EXPECT_EQ(FindLine(lines, "SetDiseCom1("), FindLine(lines, "SetDiseCom1(0,0,0,0)"))
            << card.lineUp << ": only the switch-off at exit";
    }
}

TEST(Lock, AutomaticChannelsSearchAndTryTheFoundValueFirstNextTime)
{
    struct Search {
        ChannelCard card;
        const char* channel;
        std::vector<std::string> firstCalls;
        std::string foundFirst;
        int lockTest;
    };
    const Search searches[] = {
        {kCable, "Data 330 (auto)",
         {"LockChannel3(330000,0,16,0,0,0,0) = 1", "LockChannel3(330000,0,32,0,0,0,0) = 1",
          "LockChannel3(330000,0,64,0,0,0,0) = 1", "LockChannel3(330000,0,128,0,0,0,0) = 1",
          "LockChannel3(330000,0,256,0,0,0,0) = 0"},
         "LockChannel3(330000,0,256,0,0,0,0) = 0", kCableLockTest},
        {kTerrestrial, "Band III (auto)",
         {"LockChannel3(177500,6,0,0,0,0,0) = 1", "LockChannel3(177500,7,0,0,0,0,0) = 0"},
         "LockChannel3(177500,7,0,0,0,0,0) = 0", kTerrestrialLockTest},
    };
    for (const Search& search : searches) {
        LumisatRun run(std::string("lock_auto_") + search.card.lineUp);
        SelectChannelAtStart(run, search.channel);
        ASSERT_TRUE(StartDemo(run, search.card)) << search.channel;
        ASSERT_TRUE(run.WaitForCall("StartFilter() = 0")) << search.channel;

        std::vector<std::string> calls = LockCallsFrom(run, 0);
        ASSERT_GE(calls.size(), search.firstCalls.size()) << search.channel;
        calls.resize(search.firstCalls.size());
        EXPECT_EQ(calls, search.firstCalls) << search.channel;

        WaitForStartupLock(run);
        const size_t before = run.CallLogLines().size();
        ClickIn(run.MainDialog(), search.lockTest);
        ASSERT_TRUE(run.WaitForCall("LockChannel3(", before)) << search.channel;
        EXPECT_EQ(LockCallsFrom(run, before).front(), search.foundFirst) << search.channel;
        EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", before)) << search.channel;
    }
}

TEST(Lock, LockTestTunesTheEditedChannelBehindTheWaitDialog)
{
    LumisatRun run("lock_test_cable");
    RemoveLanguageKey(run, L"String24");
    ASSERT_TRUE(StartDemo(run, kCable, std::string(), 1500));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    HWND dialog = run.MainDialog();
    EnterText(FindControl(dialog, kCableFrequency), "482000");
    EnterText(FindControl(dialog, kCableSymbolRate), "6875");
    ChooseItemNow(FindControl(dialog, kCableQam), 5);

    const size_t before = run.CallLogLines().size();
    ClickIn(dialog, kCableLockTest);
    std::string label;
    ASSERT_TRUE(WaitFor([&] { return FindLockWaitDialog(run, &label) != nullptr; }, std::chrono::seconds(3)));
    EXPECT_EQ(label, "Locking, Please wait......") << "the cable page's own text";
    EXPECT_TRUE(WaitFor([&] { return FindLockWaitDialog(run) == nullptr; }, std::chrono::seconds(7)));
    EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", before));
    EXPECT_TRUE(HasInOrder(run.CallLogLines(),
                           {"StopFilter(", "LockChannel3(482000,6875,256,0,0,0,0) = 0", "StartFilter() = 0"}, before));
    EXPECT_TRUE(WaitForBarColour(dialog, kLockedGreen));
}

TEST(Lock, TerrestrialLockTestTunesTheEditedChannelBehindTheWaitDialog)
{
    LumisatRun run("lock_test_terrestrial");
    ASSERT_TRUE(StartDemo(run, kTerrestrial, std::string(), 1500));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    HWND dialog = run.MainDialog();
    EnterText(FindControl(dialog, kTerrestrialFrequency), "626000");
    ChooseItemNow(FindControl(dialog, kTerrestrialBandwidth), 3);

    const size_t before = run.CallLogLines().size();
    ClickIn(dialog, kTerrestrialLockTest);
    std::string label;
    ASSERT_TRUE(WaitFor([&] { return FindLockWaitDialog(run, &label) != nullptr; }, std::chrono::seconds(3)));
    EXPECT_EQ(label, "Locking,Please wait......") << "the language file's text";
    EXPECT_TRUE(WaitFor([&] { return FindLockWaitDialog(run) == nullptr; }, std::chrono::seconds(7)));
    EXPECT_TRUE(run.WaitForCall("StartFilter() = 0", before));
    EXPECT_TRUE(HasInOrder(run.CallLogLines(),
                           {"StopFilter(", "LockChannel3(626000,8,0,0,0,0,0) = 0", "StartFilter() = 0"}, before));
}

TEST(Lock, LostLockIsRestoredSilentlyByTheSignalPoll)
{
    LumisatRun run("lock_lost_restored");
    ASSERT_TRUE(StartDemo(run, kCable, "[Signal]\nLoseLockAfterPolls=2\n"));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    const size_t started = FindLine(run.CallLogLines(), "StartFilter() = 0");

    size_t lost = std::string::npos;
    ASSERT_TRUE(WaitFor([&] { return (lost = FindPoll(run.CallLogLines(), '0', started)) != std::string::npos; },
                        std::chrono::seconds(15)));
    // The filter is restarted at once and the card tuned again in the background.
    ASSERT_TRUE(run.WaitForCall("LockChannel3(474000,6900,64,0,0,0,0) = 0", lost));
    // The card's PID table went with the stopped filter: the loaded PID is sent again.
    EXPECT_TRUE(HasInOrder(run.CallLogLines(), {"StopFilter() = 0", "StartFilter() = 0", "SetDataPID(256,2,1) = 0"}, lost));
    EXPECT_TRUE(WaitFor([&] { return FindPoll(run.CallLogLines(), '1', lost) != std::string::npos; },
                        std::chrono::seconds(6)))
        << "a later poll finds the card locked again";
    EXPECT_EQ(FindPoll(run.CallLogLines(), '0', lost + 1), std::string::npos) << "the lock was lost once";
    EXPECT_TRUE(NoProgramMessageFor(run, std::chrono::milliseconds(500)));
    EXPECT_EQ(FindLockWaitDialog(run), nullptr);
    EXPECT_TRUE(WaitForBarColour(run.MainDialog(), kLockedGreen));
    EXPECT_EQ(OverlappingLockCalls(run), 0);
}

TEST(Lock, LockThatCannotBeRestoredShowsTheCardUnlocked)
{
    // The two locks of the start-up succeed, every re-lock fails.
    LumisatRun run("lock_lost_for_good");
    ASSERT_TRUE(StartSatelliteDemo(run, "[Signal]\nLoseLockAfterPolls=2\n[Fault LockChannel3]\nSkip=2\nResult=1\n"));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    EXPECT_TRUE(WaitForBarColour(run.MainDialog(), kLockedGreen));
    ASSERT_TRUE(run.WaitForCall("LockChannel3(11494,22000,1,1,1,9750,10600) = 1", 0, std::chrono::seconds(15)));
    EXPECT_TRUE(WaitForBarColour(run.MainDialog(), kUnlockedRed));
    EXPECT_TRUE(NoProgramMessageFor(run, std::chrono::milliseconds(500)));
    EXPECT_TRUE(IsWindowVisible(run.MainDialog()));
}

// Wine without a window manager waits up to 2 s for the X server each time a
// top-level window is unmapped (the wait dialog, the main dialog at exit, the
// notification icon): the limits below allow for that.
constexpr std::chrono::milliseconds kUnmapAllowance{2500};

TEST(Lock, HangingDriverBlocksAtMostFiveSecondsAndTheProgramStillExits)
{
    // The third LockChannel3 (after the two of the start-up) hangs for 30 s.
    LumisatRun run("lock_hanging_driver");
    ASSERT_TRUE(StartSatelliteDemo(run, "[Fault LockChannel3]\nSkip=2\nCount=1\nDelayMs=30000\n"));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
    WaitForStartupLock(run);
    HWND dialog = run.MainDialog();

    // Another satellite, then Apply: the settings changed, so Apply locks.
    ChooseItemNow(FindControl(dialog, kSatelliteCombo), 1);
    const auto pressed = std::chrono::steady_clock::now();
    ClickIn(dialog, kApply);
    ASSERT_TRUE(WaitFor([&] { return FindLockWaitDialog(run) != nullptr; }, std::chrono::seconds(3)));
    EXPECT_FALSE(Answers(dialog, std::chrono::milliseconds(300))) << "the lock waits for the card";

    EXPECT_TRUE(WaitFor([&] { return Answers(dialog, std::chrono::milliseconds(200)); }, std::chrono::seconds(10)));
    const auto waited = std::chrono::steady_clock::now() - pressed;
    EXPECT_GE(waited, std::chrono::milliseconds(4500));
    EXPECT_LT(waited, std::chrono::milliseconds(6000) + kUnmapAllowance);
    EXPECT_EQ(FindLockWaitDialog(run), nullptr);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(FindControl(dialog, kApply)); })) << "Apply went on and saved";
    EXPECT_TRUE(WaitForBarColour(dialog, kUnlockedRed));
    EXPECT_TRUE(Answers(dialog, std::chrono::milliseconds(1000)));

    const auto exitAsked = std::chrono::steady_clock::now();
    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit(std::chrono::seconds(15)));
    // The driver gets 2 s to return before it is released regardless.
    const auto exitTime = std::chrono::steady_clock::now() - exitAsked;
    EXPECT_LT(exitTime, std::chrono::milliseconds(3000) + 2 * kUnmapAllowance)
        << std::chrono::duration_cast<std::chrono::milliseconds>(exitTime).count() << " ms";

    const std::vector<std::string> lines = run.CallLogLines();
    EXPECT_EQ(FindLine(lines, "LockChannel3(10971"), std::string::npos) << "the call never returned";
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("SetDiseCom1(0,0,0,0)", 0), 0u);
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u);
    EXPECT_EQ(OverlappingLockCalls(run), 0);
}

TEST(Lock, ExitWaitsForALockStillInProgressBeforeReleasingTheDriver)
{
    // The silent re-lock after a lost lock reports the kept result at once
    // and leaves its worker tuning for 1.5 s; the exit request follows at
    // once. The dialog is hidden first, so that nothing delays the exit.
    LumisatRun run("lock_in_progress_at_exit");
    ASSERT_TRUE(StartDemo(run, kCable, "[Signal]\nLoseLockAfterPolls=1\n", 1500));
    ASSERT_TRUE(run.WaitForCall("StartFilter() = 0", 0, std::chrono::seconds(15)));
    const size_t started = FindLine(run.CallLogLines(), "StartFilter() = 0");
    PostMessageA(run.MainDialog(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(run.MainDialog()); }));

    size_t lost = std::string::npos;
    ASSERT_TRUE(WaitFor([&] { return (lost = FindPoll(run.CallLogLines(), '0', started)) != std::string::npos; },
                        std::chrono::seconds(15)));
    run.RequestExit();
    ASSERT_TRUE(run.WaitForExit(std::chrono::seconds(10)));

    const std::vector<std::string> lines = run.CallLogLines();
    EXPECT_TRUE(HasInOrder(lines, {"LockChannel3(474000,6900,64,0,0,0,0) = 0", "SetDiseCom1(0,0,0,0)", "ReleaseDise("},
                           lost));
    EXPECT_EQ(lines.back().rfind("ReleaseDise(", 0), 0u) << "nothing reaches the driver after its release";
    EXPECT_EQ(OverlappingLockCalls(run), 0);
}
