// The Cable and Terrestrial Setting pages wired to their rules, the driver
// and the database file: one accepted and one refused value per field,
// Enter and Escape, Restore reading the file again, Lock Test behind its
// wait dialog, Apply, and the "Default" channel after the last is removed.
#include "tests/e2e/Scenario.h"

namespace {

struct Page {
    int kind;
    int frequency;
    int list;   // QAM or bandwidth; its third item is chosen
    int lockTest;
    FileSatellite channel;
    std::string onAir;   // the channel, and the edited one
    const char* lock;    // the edited channel's lock
    int savedRate;       // symbol rate, or the bandwidth, as saved
    int savedList;       // QAM, or none
};

const Page kPages[] = {
    {kCableKind, IDC_CABLE_FREQUENCY, IDC_CABLE_QAM_COMBO, IDC_CABLE_LOCK_TEST, Channel("First", 474000, 6900, 64),
     "[Channel]\nFrequency=474000\nSymbolRate=6900\nQAM=64\n[Channel]\nFrequency=626000\nSymbolRate=6875\nQAM=32\n",
     "LockChannel3(626000,6875,32,0,0,0,0) = 0", 6875, 32},
    {kTerrestrialKind, IDC_DTT_FREQUENCY, IDC_DTT_BANDWIDTH_COMBO, IDC_DTT_LOCK_TEST, Channel("First", 474000, 8, 0),
     "[Channel]\nFrequency=474000\nBandwidth=8\n[Channel]\nFrequency=626000\nBandwidth=7\n",
     "LockChannel3(626000,7,0,0,0,0,0) = 0", 7, 0},
};

// Types into the field and leaves it; what the field shows then.
std::string Enter(const LumisatRun& run, int field, const std::string& text)
{
    EnterText(run.Control(field), text);
    return WindowText(run.Control(field));
}

}   // namespace

TEST(ChannelPages, FieldsTakeGoodValuesRefuseOthersAndReachTheLockAndTheFile)
{
    for (const Page& page : kPages) {
        SCOPED_TRACE(page.kind);
        LumisatRun run("channel_pages_" + std::to_string(page.kind));
        // Locks long enough to see their wait dialog.
        run.WriteIni(CardIni(page.kind, page.onAir, 1500));
        run.WriteFile(DatabaseFile(page.kind), SatelliteFileBytes({page.channel}));
        ASSERT_TRUE(run.Start());
        run.WaitForStartupLock();
        HWND channels = run.Control(IDC_MAIN_SATELLITE_COMBO);
        EXPECT_EQ(WindowText(run.Control(page.frequency)), "474000");
        EXPECT_FALSE(run.ApplyEnabled());

        // Restore reads the file again, here replaced meanwhile; the page's own refresh is not an edit.
        SetText(run.Control(page.frequency), "5");
        EXPECT_TRUE(run.ApplyEnabled()) << "a keystroke in a field enables Apply";
        FileSatellite replaced = page.channel;
        replaced.name = "Replaced";
        run.WriteFile(DatabaseFile(page.kind), SatelliteFileBytes({replaced}));
        Click(run.Control(IDC_MAIN_RESTORE));
        EXPECT_EQ(run.AnswerNextBox(IDYES), "The App will restore settings and data, are you sure?");
        ASSERT_TRUE(WaitFor([&] { return WindowText(run.Control(page.frequency)) == "474000"; }));
        EXPECT_EQ(ComboTexts(channels), Lines{"Replaced"});
        ASSERT_TRUE(run.Answers(seconds(5)));
        EXPECT_FALSE(run.ApplyEnabled());

        // Enter commits the field as leaving it does; neither it nor Escape
        // closes the dialog or presses a button (Lock Test is the terrestrial
        // page's default button).
        SetText(run.Control(page.frequency), "626000");
        size_t before = run.LogSize();
        ASSERT_TRUE(PostKeys(run.Control(page.frequency), {VK_RETURN, VK_ESCAPE}));
        EXPECT_TRUE(IsWindowVisible(run.MainDialog()));
        // The caret stays where it was when the committed value is put back,
        // and Enter on the focused Lock Test presses nothing.
        HWND frequency = run.Control(page.frequency);
        SetText(frequency, "870001");
        PostMessageA(frequency, EM_SETSEL, 3, 3);
        PostMessageA(frequency, WM_KEYDOWN, VK_RETURN, 1);
        ASSERT_TRUE(WaitFor([&] { return WindowText(frequency) == "626000"; })) << "above the band";
        EXPECT_EQ(SendMessageA(frequency, EM_GETSEL, 0, 0), MAKELRESULT(3, 3));
        PostMessageA(run.Control(page.lockTest), WM_KEYDOWN, VK_RETURN, 1);
        ASSERT_TRUE(PostKeys(frequency, {}));
        EXPECT_EQ(FindLine(run.CallLogLines(), "StopFilter(", before), std::string::npos);
        EXPECT_EQ(Enter(run, page.frequency, "870001"), "626000") << "above the band";
        if (page.kind == kCableKind) {
            EXPECT_EQ(Enter(run, IDC_CABLE_SYMBOL_RATE, "6875"), "6875");
            EXPECT_EQ(Enter(run, IDC_CABLE_SYMBOL_RATE, "7001"), "6875");
        }
        ChooseItemNow(run.Control(page.list), 2);
        EXPECT_TRUE(run.NoMessageBox()) << "refusals are silent";

        before = run.LogSize();
        Click(run.Control(page.lockTest));
        ASSERT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() != nullptr; }, seconds(3)));
        EXPECT_TRUE(WaitFor([&] { return run.FindLockWaitDialog() == nullptr; }, seconds(7)));
        EXPECT_TRUE(WaitFor([&] {
            return HasInOrder(run.CallLogLines(), {"StopFilter(", page.lock, "StartFilter() = 0"}, before);
        }));
        EXPECT_TRUE(run.WaitForLockShown(true));

        ASSERT_TRUE(run.Apply());
        EXPECT_EQ(run.ReadFile(DatabaseFile(page.kind)),
                  SatelliteFileBytes({Channel("Replaced", 626000, page.savedRate, page.savedList)}));

        // The last channel removed, the default one takes its place.
        Click(run.Control(IDC_MAIN_REMOVE));
        EXPECT_EQ(run.AnswerNextBox(IDYES), "Are you sure to remove the current channel?");
        ASSERT_TRUE(WaitFor([&] { return ComboTexts(channels) == Lines{"Default"}; }));
        ASSERT_TRUE(run.Apply());
        EXPECT_EQ(run.ReadFile(DatabaseFile(page.kind)).substr(0, 11), std::string("\1\0\0\0Default", 11))
            << "one record, the default channel";
    }
}
