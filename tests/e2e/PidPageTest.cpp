// The Filter tab of a cable card: the PID list, loading and unloading PIDs
// into the card's filter, adding and removing PIDs, the counters and the MAC
// column, against the card simulator's call log.
#include "tests/e2e/PidPageDriving.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int kTabControl = 1007;
constexpr int kPidInfoValue = 1128;
constexpr int kPidInfoDecimal = 1130;
constexpr int kPidInfoHexadecimal = 1129;
constexpr int kPidInfoType = 1160;
constexpr char kPidInfoCaption[] = "PID Info";

std::vector<int> Images(const LumisatRun& run) { return ListViewImages(PidList(run)); }
std::vector<std::string> PidTexts(const LumisatRun& run) { return ListViewTexts(PidList(run), 0); }

bool ApplyEnabled(const LumisatRun& run)
{
    return IsWindowEnabled(FindControl(run.MainDialog(), kMainApply)) != FALSE;
}

double Number(HWND text)
{
    return std::strtod(WindowText(text).c_str(), nullptr);
}

void Choose(HWND radio)
{
    PostMessageA(radio, BM_CLICK, 0, 0);
}

}  // namespace

TEST(PidPage, ListsThePidsOfTheCurrentChannel)
{
    LumisatRun run("pid_list");
    ASSERT_TRUE(StartOnFilterPage(run, {{21, 0, 2}, {8190, 1, 7}, {256, 0, 0}, {257, 0, 3}}, CableCardIni()));
    HWND list = PidList(run);
    EXPECT_EQ(ListViewTexts(list, 0), (std::vector<std::string>{"15", "1ffe", "100", "101"}));
    EXPECT_EQ(ListViewTexts(list, 1), (std::vector<std::string>{"MPE data", "", "data pipe", "Data Streaming PES 1"}));
    EXPECT_EQ(ListViewTexts(list, 2), (std::vector<std::string>(4, "Unknown")));
    EXPECT_EQ(Images(run), (std::vector<int>{kNotLoadedImage, kLoadedImage, kNotLoadedImage, kNotLoadedImage}));
    EXPECT_EQ(WindowText(FindControl(run.MainDialog(), kPidMacText)), "00-1A-2B-3C-4D-5E") << "the card's own address";
}

TEST(PidPage, LoadWhileUnlockedMarksThePidAndTheNextLockSendsIt)
{
    LumisatRun run("pid_load_unlocked");
    // The first locks fail; the signal poll locks again silently a few seconds later.
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}, {257, 0}},
                                  CableCardIni("[Fault LockChannel3]\nResult=1\nCount=3\n")));
    ASSERT_TRUE(WaitFor([&] { return LoggedCalls(run, "LockChannel3(").size() >= 2; }));
    WaitUntilIdle(run);
    ASSERT_TRUE(LoggedCalls(run, "StartFilter(").empty()) << "the scenario needs the card unlocked for now";

    SelectListRow(PidList(run), 0);
    ClickNow(PidPageWindow(run), kPidLoad);
    EXPECT_EQ(Images(run), (std::vector<int>{kLoadedImage, kNotLoadedImage}));
    EXPECT_TRUE(ApplyEnabled(run));
    EXPECT_TRUE(LoggedCalls(run, "SetDataPID(").empty()) << "nothing reaches the card before the lock";

    ASSERT_TRUE(WaitForFilterStart(run));
    const std::vector<std::string> lines = run.CallLogLines();
    size_t filterStart = 0;
    while (filterStart < lines.size() && lines[filterStart].rfind("StartFilter() = 0", 0) != 0)
        ++filterStart;
    EXPECT_EQ(LoggedCalls(run, "SetDataPID("), std::vector<std::string>{"SetDataPID(256,2,1) = 0"});
    EXPECT_EQ(LoggedCalls(run, "SetDataPID(", filterStart).size(), 1u) << "sent after the filter started";
}

TEST(PidPage, LoadAndUnloadWhileLockedCallTheCard)
{
    LumisatRun run("pid_load_locked");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 1}, {257, 0}}, CableCardIni()));
    ASSERT_TRUE(WaitForFilterStart(run));
    HWND page = PidPageWindow(run);
    EXPECT_EQ(LoggedCalls(run, "SetDataPID("), std::vector<std::string>{"SetDataPID(256,2,1) = 0"})
        << "the lock sends the PID marked loaded";
    EXPECT_FALSE(ApplyEnabled(run));

    SelectListRow(PidList(run), 0);
    ClickNow(page, kPidLoad);
    EXPECT_EQ(LoggedCalls(run, "SetDataPID(").size(), 1u) << "a loaded PID is not sent again";
    EXPECT_FALSE(ApplyEnabled(run));

    const size_t before = run.CallLogLines().size();
    SelectListRow(PidList(run), 1);
    ClickNow(page, kPidLoad);
    EXPECT_EQ(LoggedCalls(run, "SetDataPID(", before), std::vector<std::string>{"SetDataPID(257,2,1) = 0"});
    EXPECT_EQ(Images(run), (std::vector<int>{kLoadedImage, kLoadedImage}));
    EXPECT_TRUE(ApplyEnabled(run));

    ClickNow(page, kPidUnload);
    EXPECT_EQ(LoggedCalls(run, "SetDataPID(", before),
              (std::vector<std::string>{"SetDataPID(257,2,1) = 0", "SetDataPID(257,2,0) = 0"}));
    EXPECT_EQ(Images(run), (std::vector<int>{kLoadedImage, kNotLoadedImage}));
    EXPECT_EQ(WaitForProgramBox(run, std::chrono::milliseconds(300)), nullptr);
}

TEST(PidPage, NinthLoadOfAnEightSlotCardDoesNothing)
{
    std::vector<FilePid> pids;
    for (int pid = 300; pid < 308; ++pid)
        pids.push_back({pid, 1});
    pids.push_back({256, 0});
    for (const auto& [deviceType, slots] : {std::pair{1, 8}, std::pair{2, 16}}) {
        LumisatRun run("pid_slots_" + std::to_string(deviceType));
        ASSERT_TRUE(StartOnFilterPage(run, pids, CableCardIni("[Card]\nDeviceType=" + std::to_string(deviceType) + "\n")));
        ASSERT_TRUE(WaitForFilterStart(run));
        const size_t before = run.CallLogLines().size();
        SelectListRow(PidList(run), 8);
        ClickNow(PidPageWindow(run), kPidLoad);
        const bool loaded = Images(run).at(8) == kLoadedImage;
        if (slots == 8) {
            EXPECT_FALSE(loaded);
            EXPECT_TRUE(LoggedCalls(run, "SetDataPID(", before).empty());
            EXPECT_FALSE(ApplyEnabled(run));
            EXPECT_EQ(WaitForProgramBox(run, std::chrono::milliseconds(300)), nullptr) << "no message either";
        } else {
            EXPECT_TRUE(loaded) << "16 slots leave room for a ninth PID";
            EXPECT_EQ(LoggedCalls(run, "SetDataPID(", before), std::vector<std::string>{"SetDataPID(256,2,1) = 0"});
        }
    }
}

TEST(PidPage, PidInfoRefusesBadTypingAndOutOfRangeValues)
{
    LumisatRun run("pid_info_typing");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}}, CableCardIni()));
    ClickIn(PidPageWindow(run), kPidAdd);
    HWND dialog = WaitForDialog(run, kPidInfoCaption);
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, kPidInfoValue);
    HWND typeCombo = GetDlgItem(dialog, kPidInfoType);
    EXPECT_EQ(ComboTexts(typeCombo), std::vector<std::string>{"MPE Data"});
    EXPECT_EQ(ComboSelection(typeCombo), 0);

    TypeInto(edit, "1fff");
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Input Data PID between Hex: 0015-1FFE.");
    EXPECT_EQ(WindowText(edit), "1ff") << "the refused character is taken back";

    TypeInto(edit, "1ffe", true);
    ASSERT_TRUE(WaitForText(edit, "1ffe"));
    Choose(GetDlgItem(dialog, kPidInfoDecimal));
    EXPECT_TRUE(WaitForText(edit, "8190"));
    TypeInto(edit, "5");
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Cann't input more than four chars.");
    EXPECT_EQ(WindowText(edit), "8190");
    TypeInto(edit, "9999", true);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Input Data PID between Dec: 21-8190.");
    EXPECT_EQ(WindowText(edit), "999");
    TypeInto(edit, "8190", true);
    ASSERT_TRUE(WaitForText(edit, "8190"));
    Choose(GetDlgItem(dialog, kPidInfoHexadecimal));
    EXPECT_TRUE(WaitForText(edit, "1ffe"));

    TypeInto(edit, "14", true);
    ASSERT_TRUE(WaitForText(edit, "14"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Input Data PID between 21 and 8190 (Hex: 0015-1FFE)!");
    TypeInto(edit, "", true);
    PostMessageA(edit, WM_CLEAR, 0, 0);
    ASSERT_TRUE(WaitForText(edit, ""));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Error!PID Data can`t be empty!!!");
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open after a refusal";

    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(PidTexts(run), std::vector<std::string>{"100"});
}

TEST(PidPage, AddRefusesADuplicateAndLoadsANewPid)
{
    LumisatRun run("pid_add");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}, {300, 0, 0}}, CableCardIni()));
    ASSERT_TRUE(WaitForFilterStart(run));

    ClickIn(PidPageWindow(run), kPidAdd);
    HWND dialog = WaitForDialog(run, kPidInfoCaption);
    ASSERT_NE(dialog, nullptr);
    TypeInto(GetDlgItem(dialog, kPidInfoValue), "100");
    ASSERT_TRUE(WaitForText(GetDlgItem(dialog, kPidInfoValue), "100"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "This PID already exist.");
    EXPECT_EQ(PidTexts(run), (std::vector<std::string>{"100", "12c"}));

    // 300 is stored with type 0: the same number with type 2 is another PID.
    const size_t before = run.CallLogLines().size();
    ClickIn(PidPageWindow(run), kPidAdd);
    dialog = WaitForDialog(run, kPidInfoCaption);
    ASSERT_NE(dialog, nullptr);
    Choose(GetDlgItem(dialog, kPidInfoDecimal));
    TypeInto(GetDlgItem(dialog, kPidInfoValue), "300");
    ASSERT_TRUE(WaitForText(GetDlgItem(dialog, kPidInfoValue), "300"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return PidTexts(run).size() == 3; }));
    WaitUntilIdle(run);
    EXPECT_EQ(PidTexts(run), (std::vector<std::string>{"100", "12c", "12c"}));
    EXPECT_EQ(ListViewTexts(PidList(run), 1).back(), "MPE data");
    EXPECT_EQ(Images(run).back(), kLoadedImage);
    EXPECT_EQ(LoggedCalls(run, "SetDataPID(", before), std::vector<std::string>{"SetDataPID(300,2,1) = 0"});
    EXPECT_TRUE(ApplyEnabled(run));
}

TEST(PidPage, RemoveAsksAndUnloadsALoadedPid)
{
    LumisatRun run("pid_remove");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 1}, {257, 0}}, CableCardIni()));
    ASSERT_TRUE(WaitForFilterStart(run));
    const size_t before = run.CallLogLines().size();
    SelectListRow(PidList(run), 0);

    ClickIn(PidPageWindow(run), kPidRemove);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDNO), "Are you sure to remove the current PID?");
    WaitUntilIdle(run);
    EXPECT_EQ(PidTexts(run), (std::vector<std::string>{"100", "101"}));
    EXPECT_FALSE(ApplyEnabled(run));

    ClickIn(PidPageWindow(run), kPidRemove);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDYES), "Are you sure to remove the current PID?");
    ASSERT_TRUE(WaitFor([&] { return PidTexts(run).size() == 1; }));
    EXPECT_EQ(PidTexts(run), std::vector<std::string>{"101"});
    EXPECT_EQ(LoggedCalls(run, "SetDataPID(", before), std::vector<std::string>{"SetDataPID(256,2,0) = 0"});
    EXPECT_TRUE(ApplyEnabled(run));
}

TEST(PidPage, CountersAndMacColumnFollowTheCard)
{
    LumisatRun run("pid_counters");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 1}, {257, 0}}, CableCardIni()));
    HWND total = FindControl(run.MainDialog(), kPidBytesTotal);
    HWND speed = FindControl(run.MainDialog(), kPidSpeed);
    ASSERT_TRUE(WaitForFilterStart(run));

    // Only PID 256 is received: 2000 kbit/s.
    EXPECT_TRUE(WaitForText(speed, "2000.00"));
    ASSERT_TRUE(WaitFor([&] { return Number(total) > 0.0; }));
    const double firstTotal = Number(total);
    EXPECT_TRUE(WaitFor([&] { return Number(total) > firstTotal; })) << "the total grows";

    // Every list button refreshes the MAC column once it is done.
    HWND page = PidPageWindow(run);
    SelectListRow(PidList(run), 0);
    ClickNow(page, kPidLoad);
    EXPECT_EQ(ListViewTexts(PidList(run), 2),
              (std::vector<std::string>{"01-00-5E-04-01-01,01-00-5E-04-01-02", "Unknown"}));

    SelectListRow(PidList(run), 1);
    ClickNow(page, kPidLoad);
    EXPECT_EQ(ListViewTexts(PidList(run), 2),
              (std::vector<std::string>{"01-00-5E-04-01-01,01-00-5E-04-01-02", "01-00-5E-04-01-03"}));
    EXPECT_TRUE(WaitForText(speed, "2512.00"));

    ClickNow(page, kPidUnload);
    EXPECT_EQ(ListViewTexts(PidList(run), 2).back(), "Unknown");
    EXPECT_TRUE(WaitForText(speed, "2000.00"));
}

TEST(PidPage, EscapeOnThePageLeavesTheDialogOpen)
{
    LumisatRun run("pid_escape");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}}, CableCardIni()));
    HWND list = PidList(run);
    PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(list, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    WaitUntilIdle(run);
    EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(run.MainDialog()); }, std::chrono::milliseconds(500)));

    // Elsewhere in the main dialog Escape is Cancel, which hides it.
    PostMessageA(FindControl(run.MainDialog(), kTabControl), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(run.MainDialog()); }));
}

TEST(PidPage, PageDialogsAndMessagesFollowTheLanguage)
{
    LumisatRun run("pid_language");
    std::string text = "\xFF\xFE";   // UTF-16LE, as the shipped files are stored
    for (char c : std::string("1036=Dazu\r\nDialog3=PID-Angaben\r\nString6=Gibt es schon.\r\n1221=Sichern\r\n")) {
        text += c;
        text += '\0';
    }
    run.WriteFile("Language\\Probe.txt", text);
    run.SetRegistryString("Language", "Probe");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}}, CableCardIni()));
    EXPECT_EQ(WindowText(FindControl(PidPageWindow(run), kPidAdd)), "Dazu");

    ClickIn(PidPageWindow(run), kPidAdd);
    HWND dialog = WaitForDialog(run, "PID-Angaben");
    ASSERT_NE(dialog, nullptr);
    TypeInto(GetDlgItem(dialog, kPidInfoValue), "100");
    ASSERT_TRUE(WaitForText(GetDlgItem(dialog, kPidInfoValue), "100"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Gibt es schon.");
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run, std::chrono::milliseconds(500)), IDOK), "(no message box)")
        << "nothing else was shown";

    ClickIn(PidPageWindow(run), kPidMacChange);
    HWND macDialog = WaitForDialog(run, "Change MAC Address");
    ASSERT_NE(macDialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(macDialog, 1221)), "Sichern");
    PostMessageA(macDialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(macDialog); }));
}
