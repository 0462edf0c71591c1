// The Filter tab of a cable card wired to the card: the PID list, loading
// and unloading PIDs into the card's filter, adding and removing PIDs, the
// counters and MAC column, and the Change MAC Address dialog: what it shows,
// what Save hands to the driver and the filter, and a refusal that keeps it
// open. Loading while unlocked is the page's unit tests' and the lost lock's
// scenario's.
#include "tests/e2e/Scenario.h"

#include <cstdlib>

namespace {

constexpr int kLoadedImage = 0;
constexpr int kNotLoadedImage = 1;
constexpr int kRefusedImage = 2;

HWND List(const LumisatRun& run) { return run.Control(IDC_PID_LIST); }
std::vector<int> Images(const LumisatRun& run) { return ListViewImages(List(run)); }
Lines Pids(const LumisatRun& run) { return ListViewTexts(List(run), 0); }

void TypeNewAddress(HWND dialog, const Lines& fields)
{
    for (size_t i = 0; i < fields.size(); ++i)
        SetText(GetDlgItem(dialog, IDC_MAC_NEW_FIRST + static_cast<int>(i)), fields[i]);
}

}   // namespace

TEST(FilterPage, PidsLoadedAddedAndRemovedOnTheLockedCardTheCountersTheMacColumnAndTheMacDialog)
{
    LumisatRun run("filter_page");
    Stages stage;
    ASSERT_TRUE(StartOnFilterPage(run, {{21, 0, 0}, {256, 1, 2}, {257, 0, 2}, {300, 0, 0}}));
    EXPECT_EQ(Pids(run), (Lines{"15", "100", "101", "12c"}));
    EXPECT_EQ(ListViewTexts(List(run), 1), (Lines{"data pipe", "MPE data", "MPE data", "data pipe"}));
    EXPECT_EQ(Images(run), (std::vector<int>{kNotLoadedImage, kLoadedImage, kNotLoadedImage, kNotLoadedImage}));
    EXPECT_EQ(WindowText(run.Control(IDC_PID_MAC_TEXT)), "00-1A-2B-3C-4D-5E") << "the card's own address";
    EXPECT_EQ(run.CallsFrom("SetDataPID("), Lines{"SetDataPID(256,2,1) = 0"}) << "the lock sends the PID marked loaded";
    EXPECT_FALSE(run.ApplyEnabled());

    // Only PID 256 is received: 2000 kbit/s, and the total grows.
    stage("the counters");
    HWND total = run.Control(IDC_PID_BYTES_TOTAL);
    HWND speed = run.Control(IDC_PID_SPEED);
    const auto number = [](HWND text) { return std::strtod(WindowText(text).c_str(), nullptr); };
    EXPECT_TRUE(WaitFor([&] { return WindowText(speed) == "2000.00"; }));
    ASSERT_TRUE(WaitFor([&] { return number(total) > 0.0; }));
    const double firstTotal = number(total);
    EXPECT_TRUE(WaitFor([&] { return number(total) > firstTotal; }));

    // Every list button refreshes the MAC column once it is done.
    stage("Load and Unload");
    size_t before = run.LogSize();
    SelectListRow(List(run), 2);
    run.Press(IDC_PID_LOAD);
    EXPECT_EQ(run.CallsFrom("SetDataPID(", before), Lines{"SetDataPID(257,2,1) = 0"});
    EXPECT_EQ(Images(run)[2], kLoadedImage);
    EXPECT_EQ(ListViewTexts(List(run), 2)[2], "01-00-5E-04-01-03");
    EXPECT_TRUE(run.ApplyEnabled());
    EXPECT_TRUE(WaitFor([&] { return WindowText(speed) == "2512.00"; }));
    run.Press(IDC_PID_UNLOAD);
    EXPECT_EQ(run.CallsFrom("SetDataPID(", before).back(), "SetDataPID(257,2,0) = 0");
    EXPECT_EQ(Images(run)[2], kNotLoadedImage);
    EXPECT_EQ(ListViewTexts(List(run), 2)[2], "Unknown");
    EXPECT_TRUE(run.NoMessageBox());

    stage("Add");
    Click(run.Control(IDC_PID_ADD));
    HWND dialog = run.WaitForWindow("PID Info");
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, IDC_PIDINFO_VALUE);
    TypeChars(edit, "1fff");
    EXPECT_EQ(run.AnswerNextBox(IDOK), "Input Data PID between Hex: 0015-1FFE.");
    EXPECT_EQ(WindowText(edit), "1ff") << "the refused character is taken back";
    // 300 is stored with type 0: the same number with type 2 is another PID, added loaded.
    PostMessageA(GetDlgItem(dialog, IDC_PIDINFO_DECIMAL), BM_CLICK, 0, 0);
    TypeChars(edit, "300");
    ASSERT_TRUE(WaitFor([&] { return WindowText(edit) == "300"; }));
    before = run.LogSize();
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return Pids(run).size() == 5; }));
    run.WaitUntilIdle();
    EXPECT_EQ(Pids(run).back(), "12c");
    EXPECT_EQ(Images(run).back(), kLoadedImage);
    EXPECT_EQ(run.CallsFrom("SetDataPID(", before), Lines{"SetDataPID(300,2,1) = 0"});

    stage("Remove");
    SelectListRow(List(run), 1);
    for (const int answer : {IDNO, IDYES}) {
        Click(run.Control(IDC_PID_REMOVE));
        EXPECT_EQ(run.AnswerNextBox(answer), "Are you sure to remove the current PID?");
    }
    ASSERT_TRUE(WaitFor([&] { return Pids(run).size() == 4; }));
    EXPECT_EQ(Pids(run), (Lines{"15", "101", "12c", "12c"}));
    EXPECT_EQ(run.CallsFrom("SetDataPID(", before).back(), "SetDataPID(256,2,0) = 0");

    // The dialog shows the card's address; a refused one keeps it open.
    stage("the MAC address dialog");
    Click(run.Control(IDC_PID_MAC_CHANGE));
    HWND macDialog = run.WaitForWindow("Change MAC Address");
    ASSERT_NE(macDialog, nullptr);
    Lines current;
    for (int id = IDC_MAC_CURRENT_FIRST; id < IDC_MAC_CURRENT_FIRST + 6; ++id)
        current.push_back(WindowText(GetDlgItem(macDialog, id)));
    EXPECT_EQ(current, (Lines{"00", "1A", "2B", "3C", "4D", "5E"}));
    if (SendMessageA(GetDlgItem(macDialog, IDC_MAC_USE_REGISTRY), BM_GETCHECK, 0, 0) != BST_CHECKED) {
        PostMessageA(GetDlgItem(macDialog, IDC_MAC_USE_REGISTRY), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(macDialog, IDC_MAC_NEW_FIRST)) != FALSE; }));
    }
    before = run.LogSize();
    // A group address: the card refuses it, the macDialog stays.
    TypeNewAddress(macDialog, {"01", "11", "22", "AB", "CD", "EF"});
    Click(GetDlgItem(macDialog, IDC_MAC_SAVE));
    EXPECT_EQ(run.AnswerNextBox(IDOK), "Set New MAC address error!");
    EXPECT_TRUE(IsWindowVisible(macDialog));

    TypeNewAddress(macDialog, {"02", "11", "22", "AB", "CD", "E"});
    Click(GetDlgItem(macDialog, IDC_MAC_SAVE));
    EXPECT_EQ(run.AnswerNextBox(IDOK), "Set new MAC address OK");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(macDialog); }));
    EXPECT_TRUE(WaitFor([&] { return WindowText(run.Control(IDC_PID_MAC_TEXT)) == "02-11-22-AB-CD-0E"; }));
    EXPECT_EQ(run.CallsFrom("SetNetMACAddr(", before),
              (Lines{"SetNetMACAddr(1,01-11-22-AB-CD-EF) = 2", "SetNetMACAddr(1,02-11-22-AB-CD-0E) = 0"}));
    EXPECT_EQ(run.CallsFrom("SetFilterMAC(", before), Lines{"SetFilterMAC(02-11-22-AB-CD-0E) = 0"});
}

// The lock's second PID and the first Remove's unload are refused; the card
// has no address of its own to tell.
TEST(FilterPage, APidTheCardRefusesShowsRefusedLoadRetriesItRemoveKeepsItAndNoCardAddressShowsTheFiltersOwn)
{
    LumisatRun run("filter_page_refusals");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 1, 2}, {257, 1, 2}},
                                  "[Fault SetDataPID]\nResult=2\nSkip=1\nCount=2\n"
                                  "[Card]\nNetMAC=02-AA-BB-CC-DD-EE\n[Fault GetMACAddr]\nResult=1\n"));
    EXPECT_EQ(run.CallsFrom("SetFilterMAC("), Lines{"SetFilterMAC(02-AA-BB-CC-DD-EE) = 0"});
    EXPECT_EQ(WindowText(run.Control(IDC_PID_MAC_TEXT)), "02-AA-BB-CC-DD-EE") << "what the filter was given";
    EXPECT_EQ(Images(run), (std::vector<int>{kLoadedImage, kRefusedImage}));
    EXPECT_TRUE(run.NoMessageBox()) << "the lock's refusals are only traced";
    HWND speed = run.Control(IDC_PID_SPEED);
    EXPECT_TRUE(WaitFor([&] { return WindowText(speed) == "2000.00"; })) << "only PID 256 is received";

    const auto removeFirst = [&] {
        SelectListRow(List(run), 0);
        Click(run.Control(IDC_PID_REMOVE));
        EXPECT_EQ(run.AnswerNextBox(IDYES), "Are you sure to remove the current PID?");
    };
    removeFirst();
    EXPECT_EQ(run.AnswerNextBox(IDOK),
              "The card refused to unload this PID, so it stays in the list: it may still be in the card's filter, "
              "and only this entry can unload it. Try again later.");
    EXPECT_EQ(Pids(run), (Lines{"100", "101"}));
    SelectListRow(List(run), 1);
    run.Press(IDC_PID_LOAD);
    EXPECT_EQ(Images(run), (std::vector<int>{kLoadedImage, kLoadedImage}));
    EXPECT_TRUE(WaitFor([&] { return WindowText(speed) == "2512.00"; })) << "sent again, received";
    removeFirst();
    EXPECT_TRUE(WaitFor([&] { return Pids(run) == Lines{"101"}; }));
    EXPECT_TRUE(run.NoMessageBox());
}
