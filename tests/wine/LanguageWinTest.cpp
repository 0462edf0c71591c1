#include "language/AnsiConversion.h"
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/LanguageList.h"
#include "language/win/FindFileLister.h"
#include "tests/wine/WinScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string Utf16File(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST(LanguageWinTest, ConversionUsesTheSystemCodePageWithBlanks)
{
    ASSERT_EQ(GetACP(), 1252u) << "the checks below are for the Western code page";
    EXPECT_EQ(Utf16ToAnsi(u"d\u00E9j\u00E0 \u20AC"), "d\xE9j\xE0 \x80");
    EXPECT_EQ(Utf16ToAnsi(u"\u4E2D\u6587!"), "  !") << "a blank, not a question mark";
    EXPECT_EQ(Utf16ToAnsi(u""), "");
}

TEST(LanguageWinTest, ConvertedCopyBesideTheLanguageFile)
{
    WinScratchFolder install;
    ASSERT_TRUE(install.Valid());
    ASSERT_TRUE(CreateDirectoryA(install.Path("Language").c_str(), nullptr));
    const std::string english = LanguageFilePath(install.Path(), "English");
    ASSERT_TRUE(install.Write("Language\\English.txt", Utf16File(std::u16string(500, u'e'))));
    std::string error;
    ASSERT_TRUE(ConvertLanguageFile(english, ".tmp", error)) << error;
    EXPECT_EQ(install.Read("Language\\English.txt.tmp"), std::string(500, 'e') + '\0');

    const std::string french = LanguageFilePath(install.Path(), "French");
    ASSERT_TRUE(install.Write("Language\\French.txt",
                              Utf16File(u"Page1=LNB && Commutateur\r\nString6=D\u00E9j\u00E0 l\u00E0\r\n")));
    ASSERT_TRUE(ConvertLanguageFile(french, ".tmp", error)) << error;
    EXPECT_EQ(LookupString(TemporaryLanguageFilePath(install.Path(), "French"), "string6"), "D\xC3\xA9j\xC3\xA0 l\xC3\xA0");
    EXPECT_EQ(LookupString(french, "String6"), "D\xC3\xA9j\xC3\xA0 l\xC3\xA0");

    EXPECT_FALSE(ConvertLanguageFile(LanguageFilePath(install.Path(), "Missing"), ".tmp", error));
    EXPECT_NE(error.find("Missing.txt"), std::string::npos) << error;
    DeleteTemporaryLanguageFile(install.Path(), "French");
    EXPECT_EQ(GetFileAttributesA(TemporaryLanguageFilePath(install.Path(), "French").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(french.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The Chinese file is read in its own code page whatever the system's; a
// two-byte character may straddle the end of the read buffer.
TEST(LanguageWinTest, ChineseCharactersStraddlingTheReadBufferEnd)
{
    WinScratchFolder install;
    ASSERT_TRUE(install.Valid());
    ASSERT_TRUE(CreateDirectoryA(install.Path("Language").c_str(), nullptr));
    const std::string chinese = LanguageFilePath(install.Path(), "Simplified Chinese");
    const std::string line = "String6=";
    for (std::size_t offset = kLanguageReadChunkSize - 2; offset <= kLanguageReadChunkSize; ++offset) {
        const std::string filler = "f=" + std::string(offset - line.size() - 4, 'x') + "\r\n";
        // Code page 936: the two characters of "Chinese", then "OK".
        ASSERT_TRUE(install.Write("Language\\Simplified Chinese.txt", filler + line + "\xD6\xD0\xCE\xC4OK\r\n"));
        EXPECT_EQ(LookupString(chinese, "String6"), "\xE4\xB8\xAD\xE6\x96\x87OK") << "character at " << offset;
    }
}

TEST(LanguageWinTest, LanguageListSkipsFoldersAndKeepsDottedNames)
{
    WinScratchFolder install;
    ASSERT_TRUE(install.Valid());
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
    ASSERT_GE(list.selectedIndex, 0);
    EXPECT_EQ(list.names[list.selectedIndex], "English");
    EXPECT_EQ(list.languageFilePath, install.Path() + "Language\\ENGLISH.txt");

    EXPECT_TRUE(FillLanguageList(install.Path("nothing here\\"), "English", FindFileLister()).names.empty());
}

}  // namespace
