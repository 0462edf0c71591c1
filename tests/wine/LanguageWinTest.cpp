// Language files on Windows: the system code page's conversion, the Chinese
// files' own code page, the folder listing, and the shared translation routine
// on real windows (the rules of which line names what are unit-tested).
#include "app/win/SystemIcon.h"
#include "language/AnsiConversion.h"
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/LanguageList.h"
#include "language/win/DialogLanguage.h"
#include "language/win/FindFileLister.h"
#include "tests/unit/ScratchDirectory.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::wstring WideTextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

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
        dialog = CreateWindowExA(0, "STATIC", "Caption", WS_OVERLAPPED, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        for (int id : {1, 2, 1001, 1004, 1079})
            CreateWindowExA(0, "BUTTON", "old", WS_CHILD, 0, 0, 100, 20, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD, 0, 0, 100, 20, dialog, nullptr, nullptr, nullptr);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("tab");
        SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        holdButton = CreateWindowExA(0, "BUTTON", "hold", WS_OVERLAPPED, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(holdButton);
        DestroyWindow(dialog);
    }
    std::wstring Text(int id) const { return WideTextOf(GetDlgItem(dialog, id)); }

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
    EXPECT_EQ(WideTextOf(holdButton), L"Nach Osten");
    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, MainDialogLanguageKeys(5), tabs));
    EXPECT_EQ(TabText(tabs, 0), L"Reiter");
    EXPECT_EQ(Text(1001), L"Kanalliste");
    ASSERT_TRUE(ApplyDialogLanguage(dialog, file, CaptionDialogLanguageKeys("Dialog3")));
    EXPECT_EQ(WideTextOf(dialog), L"PID-Info");
    EXPECT_EQ(Text(2), L"") << "an empty value still reaches Cancel";
}

// Each file in its own encoding, read back with the wide calls whatever the
// system's code page: ctest also runs this on code page 1251.
TEST_F(DialogLanguageTest, EveryLanguageReadsBackInUtf16)
{
    ASSERT_TRUE(scratch.Write("Language\\Simplified Chinese.txt", "1004=\xD0\xC2\xBD\xA8\r\nPage1=LNB \xC9\xE8\xD6\xC3\r\n"));
    ASSERT_TRUE(ApplyDialogLanguage(dialog, scratch.Path("Language\\Simplified Chinese.txt"), MainDialogLanguageKeys(0), tabs));
    EXPECT_EQ(Text(1004), L"\u65B0\u5EFA");
    EXPECT_EQ(TabText(tabs, 0), L"LNB \u8BBE\u7F6E");

    const wchar_t german[] = L"\uFEFF1004=Zur\u00FCcksetzen\r\nDialog4=\u00DCber \u0416\r\n";
    ASSERT_TRUE(scratch.Write("Language\\German.txt", std::string(reinterpret_cast<const char*>(german), sizeof(german) - 2)));
    std::string error;
    ASSERT_TRUE(ConvertLanguageFile(scratch.Path("Language\\German.txt"), ".tmp", error)) << error;
    ASSERT_TRUE(ApplyDialogLanguage(dialog, scratch.Path("Language\\German.txt.tmp"), CaptionDialogLanguageKeys("Dialog4")));
    EXPECT_EQ(Text(1004), L"Zur\u00FCcksetzen") << "code page " << GetACP();
    EXPECT_EQ(WideTextOf(dialog), L"\u00DCber \u0416") << "code page " << GetACP();
}

TEST(LanguageWinTest, ConversionUsesTheSystemCodePageWithBlanks)
{
    ASSERT_EQ(GetACP(), 1252u) << "the checks below are for the Western code page";
    EXPECT_EQ(Utf16ToAnsi(u"d\u00E9j\u00E0 \u20AC"), "d\xE9j\xE0 \x80");
    EXPECT_EQ(Utf16ToAnsi(u"\u4E2D\u6587!"), "  !") << "a blank, not a question mark";
}

// The Chinese file is read in its own code page whatever the system's; a
// two-byte character may straddle the end of the read buffer.
TEST(LanguageWinTest, ChineseCharactersStraddlingTheReadBufferEnd)
{
    ScratchDirectory install;
    ASSERT_TRUE(CreateDirectoryA(install.Path("Language").c_str(), nullptr));
    const std::string chinese = LanguageFilePath(install.Path(), "Simplified Chinese");
    for (std::size_t offset = kLanguageReadChunkSize - 2; offset <= kLanguageReadChunkSize; ++offset) {
        const std::string filler = "f=" + std::string(offset - 12, 'x') + "\r\n";
        ASSERT_TRUE(install.Write("Language\\Simplified Chinese.txt", filler + "String6=\xD6\xD0\xCE\xC4OK\r\n"));
        EXPECT_EQ(LookupString(chinese, "String6"), "\xE4\xB8\xAD\xE6\x96\x87OK") << "character at " << offset;
    }
}

TEST(LanguageWinTest, LanguageListSkipsFoldersAndKeepsDottedNames)
{
    ScratchDirectory install;
    ASSERT_TRUE(CreateDirectoryA(install.Path("Language").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(install.Path("Language\\x.txt").c_str(), nullptr));
    for (const char* name : {"Language\\a.b.txt", "Language\\English.txt", "Language\\notes.doc"})
        ASSERT_TRUE(install.Write(name, "String1=x\r\n")) << name;
    std::string withoutBackslash = install.Path();
    withoutBackslash.pop_back();
    LanguageList list = FillLanguageList(withoutBackslash, "ENGLISH", FindFileLister());
    std::vector<std::string> sorted = list.names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"English", "a.b"}));
    EXPECT_EQ(list.languageFilePath, install.Path() + "Language\\ENGLISH.txt");
}

TEST(SystemIconTest, RefusesAMissingOwnerAndActsOnlyWhileActive)
{
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    CSystemIcon missing;
    EXPECT_FALSE(missing.Create(nullptr, 0x042B, "NorvaneData V1.7.2.0", icon, 128));
    EXPECT_FALSE(missing.SetIcon(icon)) << "nothing to modify";
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    {
        CSystemIcon tray;
        ASSERT_TRUE(tray.Create(owner, 0x042B, "NorvaneData V1.7.2.0", icon, 128));
        EXPECT_TRUE(tray.SetIcon(icon));
        tray.Remove();
        EXPECT_FALSE(tray.IsActive());
        EXPECT_FALSE(tray.SetIcon(icon));
    }
    DestroyWindow(owner);
}

}  // namespace
