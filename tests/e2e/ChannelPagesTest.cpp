// The Cable and Terrestrial Setting pages: their fields checked when they
// lose the focus, the QAM and bandwidth lists, what reaches the database file,
// the "Default" channel, and Enter and Escape, which do nothing there.
#include "tests/e2e/ChannelScenario.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/PageDriving.h"
#include "tests/e2e/SatelliteFile.h"
#include "tests/e2e/SimulatorIni.h"

#include <gtest/gtest.h>

using namespace scenario;

namespace {

constexpr int kSatelliteCombo = 1002;
constexpr int kRemove = 1006;
constexpr int kApply = 1009;
constexpr int kRestore = 1166;
constexpr int kCableFrequency = 1136;
constexpr int kCableSymbolRate = 1142;
constexpr int kCableQam = 1145;
constexpr int kTerrestrialFrequency = 1203;
constexpr int kTerrestrialBandwidth = 1205;

FileSatellite Channel(const std::string& name, std::int32_t frequency, std::int32_t symbolRate,
                      std::int32_t polarity)
{
    FileSatellite channel;
    channel.name = name;
    channel.degree = 3600;
    channel.lnbFreq1 = 0;
    channel.lnbFreq2 = 0;
    channel.transponders.push_back(FileTransponder{"", frequency, symbolRate, polarity, 0});
    return channel;
}

// Starts a card of the kind on the channels (none: no database file at all);
// onAir: simulator sections of the channels the card can lock.
bool StartWithChannels(LumisatRun& run, int kind, const std::vector<FileSatellite>& channels,
                       const std::string& onAir = std::string())
{
    run.WriteIni(CardIni(kind, onAir));
    if (!channels.empty())
        run.WriteFile(kind == kTerrestrialKind ? "DTTdata.dll" : "cabledata.dll", SatelliteFileBytes(channels));
    if (!run.Start())
        return false;
    WaitForStartupLock(run);
    return true;
}

// Types into the field and leaves it; returns what the field shows then.
std::string Enter(HWND dialog, int field, const std::string& text)
{
    HWND edit = FindControl(dialog, field);
    EnterText(edit, text);
    return WindowText(edit);
}

bool ApplyEnabled(HWND dialog)
{
    return IsWindowEnabled(FindControl(dialog, kApply)) != FALSE;
}

// Enter and Escape as the keyboard delivers them to a control of the page:
// through the program's message loop, where the dialog manager looks first.
void PressEnterAndEscape(HWND control)
{
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        PostMessageA(control, WM_KEYDOWN, key, 1);
        PostMessageA(control, WM_CHAR, key, 1);
        PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    }
}

void ExpectTuning(const FileSatellite& channel, std::int32_t frequency, std::int32_t symbolRate,
                  std::int32_t polarity)
{
    ASSERT_EQ(channel.transponders.size(), 1u) << channel.name;
    EXPECT_EQ(channel.transponders[0].frequency, frequency) << channel.name;
    EXPECT_EQ(channel.transponders[0].symbolRate, symbolRate) << channel.name;
    EXPECT_EQ(channel.transponders[0].polarity, polarity) << channel.name;
}

} // namespace

TEST(ChannelPages, CableFieldsReplaceOutOfRangeEntriesSilentlyAndStoreTheRest)
{
    LumisatRun run("pages_cable_fields");
    ASSERT_TRUE(StartWithChannels(run, kCableKind, {Channel("First", 474000, 6900, 64), Channel("Second", 482000, 6875, 256)}));
    HWND dialog = run.MainDialog();
    EXPECT_EQ(WindowText(FindControl(dialog, kCableFrequency)), "474000");
    EXPECT_EQ(WindowText(FindControl(dialog, kCableSymbolRate)), "6900");
    EXPECT_EQ(ComboText(FindControl(dialog, kCableQam)), "64");
    EXPECT_FALSE(ApplyEnabled(dialog));

    SetText(FindControl(dialog, kCableSymbolRate), "69");
    EXPECT_TRUE(ApplyEnabled(dialog)) << "a keystroke in a field enables Apply";

    EXPECT_EQ(Enter(dialog, kCableFrequency, "870000"), "870000");
    EXPECT_EQ(Enter(dialog, kCableFrequency, "870001"), "870000");
    EXPECT_EQ(Enter(dialog, kCableFrequency, "40000"), "40000");
    EXPECT_EQ(Enter(dialog, kCableFrequency, "39999"), "40000");
    EXPECT_EQ(Enter(dialog, kCableFrequency, ""), "40000");
    EXPECT_EQ(Enter(dialog, kCableSymbolRate, "7000"), "7000");
    EXPECT_EQ(Enter(dialog, kCableSymbolRate, "7001"), "7000");
    EXPECT_EQ(Enter(dialog, kCableSymbolRate, "0"), "0");
    EXPECT_EQ(Enter(dialog, kCableSymbolRate, ""), "0");
    ChooseItemNow(FindControl(dialog, kCableQam), 0);
    EXPECT_EQ(ComboText(FindControl(dialog, kCableQam)), "Auto");
    EXPECT_TRUE(NoProgramMessageFor(run, std::chrono::milliseconds(300))) << "replacements are silent";

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadChannels(run, "cabledata.dll", saved));
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].name, "First");
    EXPECT_EQ(saved[0].degree, 3600);
    ExpectTuning(saved[0], 40000, 0, 0);
    ExpectTuning(saved[1], 482000, 6875, 256);
}

TEST(ChannelPages, TerrestrialFrequencyIsReadUpToItsFirstNonDigit)
{
    LumisatRun run("pages_terrestrial_fields");
    ASSERT_TRUE(StartWithChannels(run, kTerrestrialKind, {Channel("Mux", 506000, 8, 0)}));
    HWND dialog = run.MainDialog();
    EXPECT_EQ(WindowText(FindControl(dialog, kTerrestrialFrequency)), "506000");
    EXPECT_EQ(ComboText(FindControl(dialog, kTerrestrialBandwidth)), "8");

    EXPECT_EQ(Enter(dialog, kTerrestrialFrequency, "860000"), "860000");
    EXPECT_EQ(Enter(dialog, kTerrestrialFrequency, "860001"), "860000");
    EXPECT_EQ(Enter(dialog, kTerrestrialFrequency, "51000"), "51000");
    EXPECT_EQ(Enter(dialog, kTerrestrialFrequency, "50999"), "51000");
    EXPECT_EQ(Enter(dialog, kTerrestrialFrequency, "x626000"), "51000") << "no leading digits reads as 0";
    EXPECT_EQ(Enter(dialog, kTerrestrialFrequency, "626000ab"), "626000ab") << "the text stays as typed";
    // A chosen bandwidth reloads the page from the record.
    ChooseItemNow(FindControl(dialog, kTerrestrialBandwidth), 2);
    EXPECT_EQ(WindowText(FindControl(dialog, kTerrestrialFrequency)), "626000");
    EXPECT_EQ(ComboText(FindControl(dialog, kTerrestrialBandwidth)), "7");
    EXPECT_TRUE(ApplyEnabled(dialog));

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadChannels(run, "DTTdata.dll", saved));
    ASSERT_EQ(saved.size(), 1u);
    ExpectTuning(saved[0], 626000, 7, 0);
}

TEST(ChannelPages, QamAndBandwidthListsShowAutoForZeroAndUnknownValues)
{
    struct Case {
        int kind;
        int combo;
        std::vector<std::string> items;
        std::vector<FileSatellite> channels;
        std::vector<std::string> shown;   // per channel
        std::string file;
    };
    const Case cases[] = {
        {kCableKind, kCableQam, {"Auto", "16", "32", "64", "128", "256"},
         {Channel("Odd", 474000, 6900, 48), Channel("Automatic", 330000, 0, 0), Channel("Big", 482000, 6875, 256)},
         {"Auto", "Auto", "256"}, "cabledata.dll"},
        {kTerrestrialKind, kTerrestrialBandwidth, {"Auto", "6", "7", "8"},
         {Channel("Odd", 506000, 5, 0), Channel("Automatic", 177500, 0, 0), Channel("Seven", 177500, 7, 0)},
         {"Auto", "Auto", "7"}, "DTTdata.dll"},
    };
    for (const Case& c : cases) {
        LumisatRun run("pages_lists_" + std::to_string(c.kind));
        ASSERT_TRUE(StartWithChannels(run, c.kind, c.channels));
        HWND dialog = run.MainDialog();
        HWND combo = FindControl(dialog, c.combo);
        EXPECT_EQ(ComboTexts(combo), c.items) << "the items come from the template, once";
        for (size_t i = 0; i < c.channels.size(); ++i) {
            ChooseItemNow(FindControl(dialog, kSatelliteCombo), static_cast<int>(i));
            EXPECT_EQ(ComboText(combo), c.shown[i]) << c.channels[i].name;
        }
        // Showing an unknown value as "Auto" does not change it.
        std::vector<FileSatellite> saved;
        ASSERT_TRUE(ApplyAndReadChannels(run, c.file, saved));
        ASSERT_EQ(saved.size(), 3u);
        EXPECT_EQ(saved[0].transponders.at(0).symbolRate, c.channels[0].transponders[0].symbolRate);
        EXPECT_EQ(saved[0].transponders.at(0).polarity, c.channels[0].transponders[0].polarity);
    }
}

TEST(ChannelPages, RemovingTheLastChannelBringsBackTheDefaultChannel)
{
    LumisatRun run("pages_default_channel");
    ASSERT_TRUE(StartWithChannels(run, kCableKind, {}));
    HWND dialog = run.MainDialog();
    EXPECT_EQ(ComboTexts(FindControl(dialog, kSatelliteCombo)), std::vector<std::string>{"Default"});
    EXPECT_EQ(WindowText(FindControl(dialog, kCableFrequency)), "473000");
    EXPECT_EQ(WindowText(FindControl(dialog, kCableSymbolRate)), "6500");
    EXPECT_EQ(ComboText(FindControl(dialog, kCableQam)), "16");
    Enter(dialog, kCableFrequency, "474000");
    ChooseItemNow(FindControl(dialog, kCableQam), 3);

    ClickIn(dialog, kRemove);
    HWND question = WaitForProgramMessage(run);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), "Are you sure to remove the current channel?");
    AnswerMessageBox(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return WindowText(FindControl(dialog, kCableFrequency)) == "473000"; }));
    EXPECT_EQ(ComboTexts(FindControl(dialog, kSatelliteCombo)), std::vector<std::string>{"Default"});
    EXPECT_EQ(WindowText(FindControl(dialog, kCableSymbolRate)), "6500");
    EXPECT_EQ(ComboText(FindControl(dialog, kCableQam)), "16");

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndReadChannels(run, "cabledata.dll", saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].name, "Default");
    EXPECT_EQ(saved[0].degree, 3600);
    ExpectTuning(saved[0], 473000, 6500, 16);
}

TEST(ChannelPages, EnterAndEscapeNeitherCloseTheDialogNorPressAButton)
{
    struct Page {
        int kind;
        int field;
        FileSatellite channel;
        std::string onAir;
    };
    const Page pages[] = {
        {kCableKind, kCableFrequency, Channel("Only", 474000, 6900, 64),
         "[Channel]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n"},
        {kTerrestrialKind, kTerrestrialFrequency, Channel("Only", 474000, 8, 0),
         "[Channel]\nFrequency=474000\nBandwidth=8\n"},
    };
    for (const auto& [kind, field, channel, onAir] : pages) {
        LumisatRun run("pages_enter_escape_" + std::to_string(kind));
        ASSERT_TRUE(StartWithChannels(run, kind, {channel}, onAir));
        ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
        HWND dialog = run.MainDialog();
        SetText(FindControl(dialog, field), "474000");
        ASSERT_TRUE(ApplyEnabled(dialog));
        const size_t before = run.CallLogLines().size();

        PressEnterAndEscape(FindControl(dialog, field));
        PressEnterAndEscape(GetParent(FindControl(dialog, field)));
        ASSERT_TRUE(Answers(dialog, std::chrono::seconds(5)));
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "kind " << kind << ": neither OK nor Cancel ran";
        EXPECT_TRUE(ApplyEnabled(dialog)) << "kind " << kind << ": nothing was saved";
        EXPECT_EQ(FindLine(run.CallLogLines(), "StopFilter(", before), std::string::npos)
            << "kind " << kind << ": no lock (Lock Test is the terrestrial page's default button)";
    }
}

TEST(ChannelPages, RestoreRefreshesThePagesWithoutMarkingAChange)
{
    LumisatRun run("pages_restore");
    ASSERT_TRUE(StartWithChannels(run, kCableKind, {Channel("First", 474000, 6900, 64)}));
    HWND dialog = run.MainDialog();
    Enter(dialog, kCableFrequency, "500000");
    ASSERT_TRUE(ApplyEnabled(dialog));

    ClickIn(dialog, kRestore);
    HWND question = WaitForProgramMessage(run);
    ASSERT_NE(question, nullptr);
    AnswerMessageBox(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return WindowText(FindControl(dialog, kCableFrequency)) == "474000"; }));
    ASSERT_TRUE(Answers(dialog, std::chrono::seconds(5)));
    EXPECT_FALSE(ApplyEnabled(dialog)) << "the page's own refresh is not an edit";
}
