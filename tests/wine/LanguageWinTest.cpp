// The shared translation routine on real windows (the rules of which line
// names what are unit-tested).
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/win/DialogLanguage.h"
#include "tests/unit/ScratchDirectory.h"
#include "tests/wine/ResourceTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using resource_test::WindowTextWide;

namespace {

std::wstring TabText(HWND tabs, int index)
{
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

// A top-level window with numbered children, a tab control with a tab and a
// window outside the dialog that repeats control 1079.
class DialogLanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(scratch.Valid());
        ASSERT_TRUE(CreateDirectoryA(scratch.Path("Language").c_str(), nullptr));
        dialog =
            CreateWindowExA(0, "STATIC", "Caption", WS_OVERLAPPED, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        for (int id : {1, 2, 1001, 1004, 1079})
            CreateWindowExA(0, "BUTTON", "old", WS_CHILD, 0, 0, 100, 20, dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD, 0, 0, 100, 20, dialog, nullptr, nullptr, nullptr);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("tab");
        SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        holdButton =
            CreateWindowExA(0, "BUTTON", "hold", WS_OVERLAPPED, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(holdButton);
        DestroyWindow(dialog);
    }
    std::wstring Text(int id) const { return WindowTextWide(GetDlgItem(dialog, id)); }

    ScratchDirectory scratch;
    HWND dialog = nullptr;
    HWND tabs = nullptr;
    HWND holdButton = nullptr;
};

TEST_F(DialogLanguageTest, EachActionReachesItsWindow)
{
    ASSERT_TRUE(scratch.Write("lang.txt", "1004=Neu\r\n1079=Nach Osten\r\nPage10=Reiter\r\n1001=Liste/Kanalliste\r\n"
                                          "Cancel=\r\nDialog3=PID-Info\r\n"));
    const std::string file = scratch.Path("lang.txt");
    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, TabPageLanguageKeys(), tabs, {{1079, holdButton}}));
    EXPECT_EQ(Text(1004), L"Neu");
    EXPECT_EQ(WindowTextWide(holdButton), L"Nach Osten");
    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, MainDialogLanguageKeys(5), tabs));
    EXPECT_EQ(TabText(tabs, 0), L"Reiter");
    EXPECT_EQ(Text(1001), L"Kanalliste");
    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, CaptionDialogLanguageKeys("Dialog3")));
    EXPECT_EQ(WindowTextWide(dialog), L"PID-Info");
    EXPECT_EQ(Text(2), L"") << "an empty value still reaches Cancel";
}

// Each file in its own encoding, read back with the wide calls whatever the
// system's code page: ctest also runs this on code page 1251.
TEST_F(DialogLanguageTest, EveryLanguageReadsBackInUtf16)
{
    ASSERT_TRUE(
        scratch.Write("Language\\Simplified Chinese.txt", "1004=\xD0\xC2\xBD\xA8\r\nPage1=LNB \xC9\xE8\xD6\xC3\r\n"));
    ASSERT_TRUE(
        ApplyDialogLanguage(dialog, scratch.Path("Language\\Simplified Chinese.txt"), MainDialogLanguageKeys(0), tabs));
    EXPECT_EQ(Text(1004), L"\u65B0\u5EFA");
    EXPECT_EQ(TabText(tabs, 0), L"LNB \u8BBE\u7F6E");

    const wchar_t german[] = L"\uFEFF1004=Zur\u00FCcksetzen\r\nDialog4=\u00DCber \u0416\r\n";
    ASSERT_TRUE(
        scratch.Write("Language\\German.txt", std::string(reinterpret_cast<const char*>(german), sizeof(german) - 2)));
    std::string error;
    ASSERT_TRUE(ConvertLanguageFile(scratch.Path("Language\\German.txt"), ".tmp", error)) << error;
    ASSERT_TRUE(
        ApplyDialogLanguage(dialog, scratch.Path("Language\\German.txt.tmp"), CaptionDialogLanguageKeys("Dialog4")));
    EXPECT_EQ(Text(1004), L"Zur\u00FCcksetzen") << "code page " << GetACP();
    EXPECT_EQ(WindowTextWide(dialog), L"\u00DCber \u0416") << "code page " << GetACP();
}

}   // namespace
