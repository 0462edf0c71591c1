// The shared translation routine on real windows, and the notification-area
// icon's wrapper.
#include "app/win/SystemIcon.h"
#include "language/LanguageConversion.h"
#include "language/win/DialogLanguage.h"
#include "tests/wine/WinScratchFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::wstring WideTextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::string TabText(HWND tabs, int index)
{
    char text[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

// A top-level window with numbered children, a tab control with three tabs
// and a window outside the dialog that repeats control 1079.
class DialogLanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(scratch.Valid());
        dialog = CreateWindowExA(0, "STATIC", "Caption", WS_OVERLAPPED, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(dialog, nullptr);
        for (int id : {1, 2, 1001, 1003, 1004, 1079})
            Child("BUTTON", id, "old " + std::to_string(id));
        tabs = Child(WC_TABCONTROLA, 1007, "");
        for (int i = 0; i < 3; ++i) {
            std::string text = "tab " + std::to_string(i);
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
        holdButton = CreateWindowExA(0, "BUTTON", "hold", WS_OVERLAPPED, 0, 0, 50, 20, nullptr, nullptr, nullptr,
                                     nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(holdButton);
        DestroyWindow(dialog);
    }

    HWND Child(const char* className, int id, const std::string& text)
    {
        return CreateWindowExA(0, className, text.c_str(), WS_CHILD, 0, 0, 100, 20, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    std::string Text(int id) const { return TextOf(GetDlgItem(dialog, id)); }

    std::string WriteFile(const std::string& text)
    {
        scratch.Write("lang.txt", text);
        return scratch.Path("lang.txt");
    }

    WinScratchFolder scratch;
    HWND dialog = nullptr;
    HWND tabs = nullptr;
    HWND holdButton = nullptr;
};

// Which line names what is the rules' business (unit tests); here each kind
// of action reaches its window: a control, its copy outside the dialog, a tab
// and the caption.
TEST_F(DialogLanguageTest, EachActionReachesItsWindow)
{
    const std::string file = WriteFile("1004=Neu\r\n1079=Nach Osten\r\nPage10=Reiter\r\n1001=Liste/Kanalliste\r\n"
                                       "Cancel=\r\nDialog3=PID-Info\r\n");
    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, TabPageLanguageKeys(), tabs, {{1079, holdButton}}));
    EXPECT_EQ(Text(1004), "Neu");
    EXPECT_EQ(TextOf(holdButton), "Nach Osten");
    EXPECT_EQ(TabText(tabs, 0), "tab 0") << "a page names no tab";

    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, MainDialogLanguageKeys(5), tabs));
    EXPECT_EQ(TabText(tabs, 0), "Reiter");
    EXPECT_EQ(Text(1001), "Kanalliste");

    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, CaptionDialogLanguageKeys("Dialog3")));
    EXPECT_EQ(TextOf(dialog), "PID-Info");
    EXPECT_EQ(Text(2), "") << "an empty value still reaches Cancel";
}

// Each file in its own encoding, read back with the wide calls whatever the
// system's code page: ctest also runs this on code page 1251.
TEST_F(DialogLanguageTest, EveryLanguageReadsBackInUtf16)
{
    ASSERT_TRUE(CreateDirectoryA(scratch.Path("Language").c_str(), nullptr));
    ASSERT_TRUE(scratch.Write("Language\\Simplified Chinese.txt", "1004=\xD0\xC2\xBD\xA8\r\nPage1=LNB \xC9\xE8\xD6\xC3\r\n"));
    ASSERT_TRUE(ApplyDialogLanguage(dialog, scratch.Path("Language\\Simplified Chinese.txt"), MainDialogLanguageKeys(0), tabs));
    EXPECT_EQ(WideTextOf(GetDlgItem(dialog, 1004)), L"\u65B0\u5EFA");
    wchar_t tab[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(tab, L"LNB \u8BBE\u7F6E");

    const wchar_t german[] = L"\uFEFF1004=Zur\u00FCcksetzen\r\nDialog4=\u00DCber \u0416\r\n";
    ASSERT_TRUE(scratch.Write("Language\\German.txt", std::string(reinterpret_cast<const char*>(german), sizeof(german) - 2)));
    std::string error;
    ASSERT_TRUE(ConvertLanguageFile(scratch.Path("Language\\German.txt"), ".tmp", error)) << error;
    ASSERT_TRUE(ApplyDialogLanguage(dialog, scratch.Path("Language\\German.txt.tmp"), CaptionDialogLanguageKeys("Dialog4")));
    EXPECT_EQ(WideTextOf(GetDlgItem(dialog, 1004)), L"Zur\u00FCcksetzen") << "code page " << GetACP();
    EXPECT_EQ(WideTextOf(dialog), L"\u00DCber \u0416") << "code page " << GetACP();
}

TEST(SystemIconTest, RefusesAMissingOwnerAndActsOnlyWhileActive)
{
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    CSystemIcon missing;
    EXPECT_FALSE(missing.Create(nullptr, 0x042B, "NorvaneData V1.7.2.0", icon, 128));
    EXPECT_FALSE(missing.IsActive());
    EXPECT_FALSE(missing.SetIcon(icon)) << "nothing to modify";

    HWND gone = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    CSystemIcon orphan;
    EXPECT_FALSE(orphan.Create(gone, 0x042B, "NorvaneData V1.7.2.0", icon, 128));

    HWND owner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    {
        CSystemIcon tray;
        ASSERT_TRUE(tray.Create(owner, 0x042B, "NorvaneData V1.7.2.0", icon, 128));
        EXPECT_TRUE(tray.IsActive());
        EXPECT_TRUE(tray.SetIcon(icon));
        tray.Remove();
        EXPECT_FALSE(tray.IsActive());
        EXPECT_FALSE(tray.SetIcon(icon));
        tray.Remove();
    }
    DestroyWindow(owner);
}

}  // namespace
