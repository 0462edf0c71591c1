#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/LanguageLines.h"
#include "language/LanguageTexts.h"
#include "language/SystemText.h"
#include "tests/unit/ScratchDirectory.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using Lines = std::vector<std::pair<std::string, std::string>>;

// The lines of a text fed in pieces cut before each position in `cuts`
// (ascending; a repeated position gives an empty piece).
Lines LinesOfPieces(std::string_view text, const std::vector<std::size_t>& cuts)
{
    Lines lines;
    const LanguageLineHandler collect = [&lines](std::string_view key, std::string_view value) {
        lines.emplace_back(key, value);
        return true;
    };
    LanguageLineSplitter splitter;
    std::size_t start = 0;
    for (std::size_t cut : cuts) {
        EXPECT_TRUE(splitter.Feed(text.substr(start, cut - start), collect));
        start = cut;
    }
    EXPECT_TRUE(splitter.Feed(text.substr(start), collect));
    EXPECT_TRUE(splitter.Finish(collect));
    return lines;
}

std::string Convert(const std::string& file)
{
    return ConvertLanguageBytes(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
}

class LanguageFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch.Valid()); }

    std::string Lookup(const std::string& content, const std::string& key)
    {
        scratch.Write("lang.txt", content);
        return LookupString(scratch.Path("lang.txt"), key);
    }

    ScratchDirectory scratch;
};

// Every line end, zero bytes, lines without "=": a text cut anywhere gives
// the lines of the whole text, and nothing of a finished text carries over.
TEST(LanguageLinesTest, TextCutAnywhereSplitsIntoTheLinesOfTheWholeText)
{
    const std::pair<std::string, Lines> texts[] = {
        {"a=1\r\nb=2\nc=3\rd=4\r\n\r\ne=\r\n\nf=last",
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", ""}, {"f", "last"}}},
        {"k=ab\0cd\r\nz\0=1\nm=\0\0\0\n\0x=1\nn=after zeros"s, {{"k", "ab"}, {"m", ""}, {"n", "after zeros"}}},
        {"no equals\r\n=empty key\r\nkey=a=b= c \n", {{"", "empty key"}, {"key", "a=b= c "}}},
    };
    for (const auto& [text, expected] : texts) {
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            EXPECT_EQ(LinesOfPieces(text, {cut}), expected)
                << "cut at " << cut << " of " << testing::PrintToString(text);
            EXPECT_EQ(LinesOfPieces(text, {cut, cut}), expected) << "empty piece at " << cut;
        }
    }
    Lines lines;
    LanguageLineSplitter reused;
    const LanguageLineHandler collect = [&lines](std::string_view key, std::string_view value) {
        lines.emplace_back(key, value);
        return key != "stop";
    };
    EXPECT_TRUE(reused.Feed("p=1\nq=unfini", collect));
    EXPECT_TRUE(reused.Finish(collect));
    EXPECT_TRUE(reused.Feed("shed\r\nr=2", collect));
    EXPECT_TRUE(reused.Finish(collect));
    EXPECT_FALSE(reused.Feed("stop=\nafter=1\n", collect)) << "the handler stops the reading";
    EXPECT_EQ(lines, (Lines{{"p", "1"}, {"q", "unfini"}, {"r", "2"}, {"stop", ""}}));
}

TEST_F(LanguageFileTest, FirstWholeKeyMatchInAnyCaseGivesEverythingAfterTheFirstEquals)
{
    const std::string file = "String6 =with blank\r\nstring6=a=b= c \r\nString6=second\r\nString61=longer key\r\n";
    EXPECT_EQ(Lookup(file, "String6"), "a=b= c ");
    EXPECT_EQ(Lookup(file, "STRING61"), "longer key");
    EXPECT_EQ(Lookup(file, "String6 "), "with blank");
    EXPECT_EQ(Lookup(file, "String"), "");
    const std::string longValue(3 * kLanguageReadChunkSize, 'v');
    EXPECT_EQ(Lookup(std::string(70000, 'k') + "=x\nString7=" + longValue + "\nString8=8", "String7"), longValue);
    EXPECT_EQ(LookupString(scratch.Path("missing.txt"), "String6"), "");

    scratch.Write("lang.txt", "String4=\r\nString6=Ce PID existe.\r\n");
    EXPECT_EQ(Message(scratch.Path("lang.txt"), "String6", "This PID already exist."), "Ce PID existe.");
    EXPECT_EQ(Message(scratch.Path("lang.txt"), "String4", "English"), "English") << "an empty value falls back";
}

TEST_F(LanguageFileTest, ConvertedCopyIsHalfTheSizeInTheCodePageAndTextsComeFromItsSource)
{
    EXPECT_EQ(Convert(Utf16File(u"ab") + "Z"), std::string("ab\0", 3)) << "odd byte dropped";
    EXPECT_EQ(Convert(""), "");
    EXPECT_EQ(Convert(Utf16File(u"d\u00E9j\u00E0 \u20AC \u4E2D \U0001F600!")),
              std::string("d\xE9j\xE0 \x80    !\0\0", 13))
        << "characters outside the code page become blanks";

    scratch.Write("German.txt", Utf16File(u"String6=Zur\u00FCck \u0416\r\nString8=\r\n"));
    std::string error = "stale";
    ASSERT_TRUE(ConvertLanguageFile(scratch.Path("German.txt"), ".tmp", error));
    EXPECT_EQ(error, "");
    const std::string copy = scratch.Path("German.txt.tmp");
    EXPECT_EQ(scratch.Read("German.txt.tmp").size(), scratch.Read("German.txt").size() / 2);
    EXPECT_EQ(Message(copy, "String6", "fallback"), "Zur\xC3\xBC"
                                                    "ck \xD0\x96")
        << "UTF-8, from the source";
    EXPECT_EQ(Message(copy, "String8", "fallback"), "fallback") << "padding zeros are no text";
    std::filesystem::remove(scratch.Path("German.txt"));
    EXPECT_EQ(Message(copy, "String6", "fallback"), "Zur\xC3\xBC"
                                                    "ck  ")
        << "without its source the copy serves";
    scratch.Write("German.txt", Utf16File(u"String6=x"));
    std::filesystem::remove(copy);
    EXPECT_EQ(LookupString(copy, "String6"), "") << "the copy decides that the language loads";

    EXPECT_FALSE(ConvertLanguageFile(scratch.Path("French.txt"), ".tmp", error));
    EXPECT_NE(error.find("French.txt"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(scratch.Path("French.txt.tmp")));
}

// The read buffer holds an even number of bytes, so only a surrogate pair can
// straddle its end in a UTF-16 file.
TEST_F(LanguageFileTest, Utf16CharactersStraddlingTheReadBufferEnd)
{
    constexpr std::size_t kChunk = kLanguageReadChunkSize;
    for (const auto& [character, utf8] : {std::pair{u"\U0001F600", "\xF0\x9F\x98\x80"}, {u"\u4E2D", "\xE4\xB8\xAD"}}) {
        for (std::size_t offset = kChunk - 4; offset <= kChunk; offset += 2) {
            const std::u16string text = u"f=" + std::u16string((offset - 2) / 2 - 12, u'x') + u"\r\nString6=" +
                                        character + u"end\r\nString7=" + character;
            EXPECT_EQ(Lookup(Utf16File(text), "String6"), utf8 + "end"s) << "character at " << offset;
            EXPECT_EQ(Lookup(Utf16File(text), "String7"), utf8) << "character at " << offset;
        }
    }
}

}   // namespace

// A path in the system's code page (1252 here) joins language texts as UTF-8,
// also when its first bytes look like the byte-order mark of UTF-16.
TEST(SystemTextTest, AnsiTextBecomesUtf8Whole)
{
    EXPECT_EQ(AnsiToUtf8("\xFF\xFE\\J\xFCrgen"), "\xC3\xBF\xC3\xBE\\J\xC3\xBCrgen");
}
