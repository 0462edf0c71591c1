// The Cable and Terrestrial Setting pages wired to their rules and the
// database file: one accepted and one refused value per field, Restore, the
// "Default" channel after the last is removed, and Enter and Escape, which do
// nothing there.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

struct Page {
    int kind;
    int frequency;
    int list;               // QAM or bandwidth
    FileSatellite channel;
    std::string onAir;
};

const Page kPages[] = {
    {kCableKind, IDC_CABLE_FREQUENCY, IDC_CABLE_QAM_COMBO, Channel("First", 474000, 6900, 64),
     "[Channel]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n"},
    {kTerrestrialKind, IDC_DTT_FREQUENCY, IDC_DTT_BANDWIDTH_COMBO, Channel("First", 474000, 8, 0),
     "[Channel]\nFrequency=474000\nBandwidth=8\n"},
};

// Types into the field and leaves it; what the field shows then.
std::string Enter(const LumisatRun& run, int field, const std::string& text)
{
    EnterText(run.Control(field), text);
    return WindowText(run.Control(field));
}

bool ApplyEnabled(const LumisatRun& run)
{
    return IsWindowEnabled(run.Control(IDC_MAIN_APPLY)) != FALSE;
}

}  // namespace

TEST(ChannelPages, FieldsTakeGoodValuesRefuseOthersSilentlyAndReachTheFile)
{
    for (const Page& page : kPages) {
        SCOPED_TRACE(page.kind);
        LumisatRun run("pages_fields_" + std::to_string(page.kind));
        ASSERT_TRUE(StartWithSatellites(run, {page.channel}, page.kind));
        EXPECT_EQ(WindowText(run.Control(page.frequency)), "474000");
        EXPECT_FALSE(ApplyEnabled(run));

        // Restore reloads the page; the page's own refresh is not an edit.
        SetText(run.Control(page.frequency), "5");
        EXPECT_TRUE(ApplyEnabled(run)) << "a keystroke in a field enables Apply";
        Click(run.Control(IDC_MAIN_RESTORE));
        EXPECT_EQ(run.AnswerNextBox(IDYES), "The App will restore settings and data, are you sure?");
        ASSERT_TRUE(WaitFor([&] { return WindowText(run.Control(page.frequency)) == "474000"; }));
        ASSERT_TRUE(run.Answers(seconds(5)));
        EXPECT_FALSE(ApplyEnabled(run));

        EXPECT_EQ(Enter(run, page.frequency, "626000"), "626000");
        EXPECT_EQ(Enter(run, page.frequency, "870001"), "626000") << "above the band";
        if (page.kind == kCableKind) {
            EXPECT_EQ(Enter(run, IDC_CABLE_SYMBOL_RATE, "6875"), "6875");
            EXPECT_EQ(Enter(run, IDC_CABLE_SYMBOL_RATE, "7001"), "6875");
        }
        ChooseItemNow(run.Control(page.list), 2);
        EXPECT_TRUE(run.NoMessageBoxFor(milliseconds(300))) << "refusals are silent";

        std::vector<FileSatellite> saved;
        ASSERT_TRUE(ApplyAndRead(run, saved, page.kind));
        ASSERT_EQ(saved.size(), 1u);
        ASSERT_EQ(saved[0].transponders.size(), 1u);
        EXPECT_EQ(saved[0].name, "First");
        EXPECT_EQ(saved[0].transponders[0].frequency, 626000);
        EXPECT_EQ(saved[0].transponders[0].symbolRate, page.kind == kCableKind ? 6875 : 7);
        EXPECT_EQ(saved[0].transponders[0].polarity, page.kind == kCableKind ? 32 : 0);
    }
}

TEST(ChannelPages, RemovingTheLastChannelBringsBackTheDefaultChannel)
{
    LumisatRun run("pages_default_channel");
    ASSERT_TRUE(StartWithSatellites(run, {}, kCableKind));
    HWND channels = run.Control(IDC_MAIN_SATELLITE_COMBO);
    EXPECT_EQ(ComboTexts(channels), std::vector<std::string>{"Default"});
    EXPECT_EQ(WindowText(run.Control(IDC_CABLE_FREQUENCY)), "473000");
    EnterText(run.Control(IDC_CABLE_FREQUENCY), "474000");

    Click(run.Control(IDC_MAIN_REMOVE));
    EXPECT_EQ(run.AnswerNextBox(IDYES), "Are you sure to remove the current channel?");
    ASSERT_TRUE(WaitFor([&] { return WindowText(run.Control(IDC_CABLE_FREQUENCY)) == "473000"; }));
    EXPECT_EQ(ComboTexts(channels), std::vector<std::string>{"Default"});

    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ApplyAndRead(run, saved, kCableKind));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].name, "Default");
    EXPECT_EQ(saved[0].degree, 3600);
    ASSERT_EQ(saved[0].transponders.size(), 1u);
    EXPECT_EQ(saved[0].transponders[0].frequency, 473000);
    EXPECT_EQ(saved[0].transponders[0].symbolRate, 6500);
    EXPECT_EQ(saved[0].transponders[0].polarity, 16);
}

TEST(ChannelPages, EnterAndEscapeNeitherCloseTheDialogNorPressAButton)
{
    for (const Page& page : kPages) {
        LumisatRun run("pages_enter_escape_" + std::to_string(page.kind));
        ASSERT_TRUE(StartWithSatellites(run, {page.channel}, page.kind, page.onAir));
        ASSERT_TRUE(run.WaitForCall("StartFilter() = 0"));
        HWND field = run.Control(page.frequency);
        SetText(field, "474000");
        ASSERT_TRUE(ApplyEnabled(run));
        const size_t before = run.LogSize();
        // Through the program's message loop, where the dialog manager looks first.
        for (HWND target : {field, GetParent(field)}) {
            for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                PostMessageA(target, WM_KEYDOWN, key, 1);
                PostMessageA(target, WM_CHAR, key, 1);
                PostMessageA(target, WM_KEYUP, key, 0xC0000001);
            }
        }
        ASSERT_TRUE(run.Answers(seconds(5)));
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(run.MainDialog())) << "kind " << page.kind << ": neither OK nor Cancel ran";
        EXPECT_TRUE(ApplyEnabled(run)) << "kind " << page.kind << ": nothing was saved";
        EXPECT_EQ(FindLine(run.CallLogLines(), "StopFilter(", before), std::string::npos)
            << "kind " << page.kind << ": no lock (Lock Test is the terrestrial page's default button)";
    }
}
