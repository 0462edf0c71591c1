// The Change MAC Address dialog opened from the Filter tab, against the card
// simulator: what it shows, what Save hands to the driver, and the refusals
// that keep it open.
#include "tests/e2e/PidPageDriving.h"

#include <gtest/gtest.h>

namespace {

constexpr int kUseRegistry = 1222;
constexpr int kFirstCurrentField = 1223;
constexpr int kFirstNewField = 1229;
constexpr int kSave = 1221;
constexpr char kMacCaption[] = "Change MAC Address";

std::vector<std::string> FieldTexts(HWND dialog, int firstId)
{
    std::vector<std::string> texts;
    for (int id = firstId; id < firstId + 6; ++id)
        texts.push_back(WindowText(GetDlgItem(dialog, id)));
    return texts;
}

bool NewFieldsEnabled(HWND dialog)
{
    for (int id = kFirstNewField; id < kFirstNewField + 6; ++id) {
        if (!IsWindowEnabled(GetDlgItem(dialog, id)))
            return false;
    }
    return true;
}

void TypeNewAddress(HWND dialog, const std::vector<std::string>& fields)
{
    for (size_t i = 0; i < fields.size(); ++i)
        SetText(GetDlgItem(dialog, kFirstNewField + static_cast<int>(i)), fields[i]);
}

bool IsChecked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ClickCheckBox(HWND dialog, int id)
{
    const bool before = IsChecked(dialog, id);
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    WaitFor([&] { return IsChecked(dialog, id) != before; });
}

HWND OpenMacDialog(const LumisatRun& run)
{
    ClickIn(PidPageWindow(run), kPidMacChange);
    return WaitForDialog(run, kMacCaption);
}

const std::vector<std::string> kCardAddress{"00", "1A", "2B", "3C", "4D", "5E"};

}  // namespace

TEST(MacAddress, TypedAddressGoesToTheDriverAndTheFilter)
{
    LumisatRun run("mac_round_trip");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}}, CableCardIni()));
    HWND macText = FindControl(run.MainDialog(), kPidMacText);
    EXPECT_EQ(WindowText(macText), "00-1A-2B-3C-4D-5E");

    HWND dialog = OpenMacDialog(run);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FieldTexts(dialog, kFirstCurrentField), kCardAddress);
    EXPECT_EQ(FieldTexts(dialog, kFirstNewField), kCardAddress);
    EXPECT_FALSE(IsChecked(dialog, kUseRegistry));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kFirstNewField)));

    ClickCheckBox(dialog, kUseRegistry);
    EXPECT_TRUE(NewFieldsEnabled(dialog));
    TypeNewAddress(dialog, {"02", "11", "22", "AB", "CD", "E"});
    const size_t before = run.CallLogLines().size();
    ClickIn(dialog, kSave);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Set new MAC address OK");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitForText(macText, "02-11-22-AB-CD-0E")) << "a single digit is the byte's low half";
    EXPECT_EQ(LoggedCalls(run, "SetNetMACAddr(", before),
              std::vector<std::string>{"SetNetMACAddr(1,02-11-22-AB-CD-0E) = 0"});
    EXPECT_EQ(LoggedCalls(run, "SetFilterMAC(", before),
              std::vector<std::string>{"SetFilterMAC(02-11-22-AB-CD-0E) = 0"});

    // The card now reports the typed address as the one in use.
    dialog = OpenMacDialog(run);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FieldTexts(dialog, kFirstCurrentField), (std::vector<std::string>{"02", "11", "22", "AB", "CD", "0E"}));
    EXPECT_TRUE(IsChecked(dialog, kUseRegistry));
    ClickCheckBox(dialog, kUseRegistry);
    EXPECT_EQ(FieldTexts(dialog, kFirstNewField), kCardAddress) << "cleared: the card's own address";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kFirstNewField)));

    const size_t beforeCancel = run.CallLogLines().size();
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    WaitUntilIdle(run);
    EXPECT_TRUE(LoggedCalls(run, "SetNetMACAddr(", beforeCancel).empty()) << "Cancel saves nothing";
    EXPECT_EQ(LoggedCalls(run, "SetFilterMAC(", beforeCancel),
              std::vector<std::string>{"SetFilterMAC(02-11-22-AB-CD-0E) = 0"});
}

TEST(MacAddress, RefusedAddressesKeepTheDialogOpen)
{
    LumisatRun run("mac_refused");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}}, CableCardIni()));
    HWND dialog = OpenMacDialog(run);
    ASSERT_NE(dialog, nullptr);
    ClickCheckBox(dialog, kUseRegistry);
    const size_t before = run.CallLogLines().size();

    TypeNewAddress(dialog, {"02", "11", "G1", "AB", "CD", "EF"});
    ClickIn(dialog, kSave);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK),
              "Each MAC address field takes one or two hexadecimal digits (0-9, A-F).");
    WaitUntilIdle(run);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(LoggedCalls(run, "SetNetMACAddr(", before).empty()) << "nothing is guessed at";

    // A group address: the card refuses it.
    TypeNewAddress(dialog, {"01", "11", "22", "AB", "CD", "EF"});
    ClickIn(dialog, kSave);
    EXPECT_EQ(AnswerBox(WaitForProgramBox(run), IDOK), "Set New MAC address error!");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(LoggedCalls(run, "SetNetMACAddr(", before),
              std::vector<std::string>{"SetNetMACAddr(1,01-11-22-AB-CD-EF) = 2"});

    // Cancel after the refusal: the page and the filter keep the address in use.
    const size_t beforeCancel = run.CallLogLines().size();
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    WaitUntilIdle(run);
    EXPECT_EQ(LoggedCalls(run, "SetFilterMAC(", beforeCancel),
              std::vector<std::string>{"SetFilterMAC(00-1A-2B-3C-4D-5E) = 0"});
    EXPECT_EQ(WindowText(FindControl(run.MainDialog(), kPidMacText)), "00-1A-2B-3C-4D-5E");
}
