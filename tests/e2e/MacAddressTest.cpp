// The Change MAC Address dialog opened from the Filter tab: what it shows,
// what Save hands to the driver and the filter, and a refusal that keeps it
// open.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

namespace {

void TypeNewAddress(HWND dialog, const std::vector<std::string>& fields)
{
    for (size_t i = 0; i < fields.size(); ++i)
        SetText(GetDlgItem(dialog, IDC_MAC_NEW_FIRST + static_cast<int>(i)), fields[i]);
}

}  // namespace

TEST(MacAddress, TypedAddressGoesToTheDriverAndTheFilterAndARefusalKeepsTheDialog)
{
    LumisatRun run("mac_address");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}}));
    HWND macText = run.Control(IDC_PID_MAC_TEXT);
    EXPECT_EQ(WindowText(macText), "00-1A-2B-3C-4D-5E");

    Click(run.Control(IDC_PID_MAC_CHANGE));
    HWND dialog = run.WaitForWindow("Change MAC Address");
    ASSERT_NE(dialog, nullptr);
    std::vector<std::string> current;
    for (int id = IDC_MAC_CURRENT_FIRST; id < IDC_MAC_CURRENT_FIRST + 6; ++id)
        current.push_back(WindowText(GetDlgItem(dialog, id)));
    EXPECT_EQ(current, (std::vector<std::string>{"00", "1A", "2B", "3C", "4D", "5E"}));
    if (SendMessageA(GetDlgItem(dialog, IDC_MAC_USE_REGISTRY), BM_GETCHECK, 0, 0) != BST_CHECKED) {
        PostMessageA(GetDlgItem(dialog, IDC_MAC_USE_REGISTRY), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(dialog, IDC_MAC_NEW_FIRST)) != FALSE; }));
    }
    const size_t before = run.LogSize();
    // A group address: the card refuses it, the dialog stays.
    TypeNewAddress(dialog, {"01", "11", "22", "AB", "CD", "EF"});
    Click(GetDlgItem(dialog, IDC_MAC_SAVE));
    EXPECT_EQ(run.AnswerNextBox(IDOK), "Set New MAC address error!");
    EXPECT_TRUE(IsWindowVisible(dialog));

    TypeNewAddress(dialog, {"02", "11", "22", "AB", "CD", "E"});
    Click(GetDlgItem(dialog, IDC_MAC_SAVE));
    EXPECT_EQ(run.AnswerNextBox(IDOK), "Set new MAC address OK");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitFor([&] { return WindowText(macText) == "02-11-22-AB-CD-0E"; }));
    EXPECT_EQ(run.CallsFrom("SetNetMACAddr(", before),
              (std::vector<std::string>{"SetNetMACAddr(1,01-11-22-AB-CD-EF) = 2", "SetNetMACAddr(1,02-11-22-AB-CD-0E) = 0"}));
    EXPECT_EQ(run.CallsFrom("SetFilterMAC(", before), std::vector<std::string>{"SetFilterMAC(02-11-22-AB-CD-0E) = 0"});
}

TEST(MacAddress, WithoutTheCardsOwnAddressThePageShowsWhatTheFilterWasGiven)
{
    LumisatRun run("mac_address_missing");
    ASSERT_TRUE(StartOnFilterPage(run, {{256, 0}}, "[Card]\nNetMAC=02-AA-BB-CC-DD-EE\n[Fault GetMACAddr]\nResult=1\n"));
    EXPECT_EQ(run.CallsFrom("SetFilterMAC("), std::vector<std::string>{"SetFilterMAC(02-AA-BB-CC-DD-EE) = 0"});
    EXPECT_EQ(WindowText(run.Control(IDC_PID_MAC_TEXT)), "02-AA-BB-CC-DD-EE");
}
