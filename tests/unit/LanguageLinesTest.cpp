#include "language/LanguageFile.h"
#include "language/LanguageLines.h"
#include "tests/unit/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using namespace std::string_literals;
using Lines = std::vector<std::pair<std::string, std::string>>;

LanguageLineHandler CollectInto(Lines& lines)
{
    return [&lines](std::string_view key, std::string_view value) {
        lines.emplace_back(key, value);
        return true;
    };
}

Lines WholeTextLines(std::string_view text)
{
    Lines lines;
    ForEachLanguageLine(text, CollectInto(lines));
    return lines;
}

// The text cut before each position in `cuts` (ascending; a repeated
// position gives an empty piece).
Lines LinesOfPieces(std::string_view text, const std::vector<std::size_t>& cuts)
{
    Lines lines;
    const LanguageLineHandler collect = CollectInto(lines);
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

std::vector<std::size_t> EveryNth(std::size_t size, std::size_t n)
{
    std::vector<std::size_t> cuts;
    for (std::size_t cut = n; cut < size; cut += n)
        cuts.push_back(cut);
    return cuts;
}

TEST(LanguageLinesTest, TextCutAnywhereSplitsIntoTheLinesOfTheWholeText)
{
    const std::string texts[] = {
        "a=1\r\nb=2\nc=3\rd=4\r\n\r\ne=\r\n\nf=last",
        "x=\r\r\n\n\ry=2\r",
        "k=ab\0cd\r\nz\0=1\nm=\0\0\0\n\0x=1\nn=after zeros"s,
        "no equals\r\n=empty key\r\nkey=a=b= c \n",
        "\r\n\r\nq=1\n\r",
    };
    const Lines expected{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", ""}, {"f", "last"}};
    ASSERT_EQ(WholeTextLines(texts[0]), expected);
    ASSERT_EQ(WholeTextLines(texts[2]), (Lines{{"k", "ab"}, {"m", ""}, {"n", "after zeros"}}));

    for (const std::string& text : texts) {
        const Lines whole = WholeTextLines(text);
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            EXPECT_EQ(LinesOfPieces(text, {cut}), whole) << "cut at " << cut << " of " << testing::PrintToString(text);
            EXPECT_EQ(LinesOfPieces(text, {cut, cut}), whole) << "empty piece at " << cut;
        }
        for (std::size_t n = 1; n <= 3; ++n)
            EXPECT_EQ(LinesOfPieces(text, EveryNth(text.size(), n)), whole) << n << "-byte pieces";
    }
}

TEST(LanguageLinesTest, StoppingEndsTheTextAndFinishStartsAFreshOne)
{
    Lines lines;
    const LanguageLineHandler untilB = [&lines](std::string_view key, std::string_view value) {
        lines.emplace_back(key, value);
        return key != "b";
    };
    LanguageLineSplitter splitter;
    EXPECT_TRUE(splitter.Feed("a=1\nb=", untilB));
    EXPECT_FALSE(splitter.Feed("2\nc=3\n", untilB)) << "the line that spans pieces stops it";
    EXPECT_EQ(lines, (Lines{{"a", "1"}, {"b", "2"}}));

    lines.clear();
    LanguageLineSplitter reused;
    const LanguageLineHandler collect = CollectInto(lines);
    EXPECT_TRUE(reused.Feed("p=1\nq=unfini", collect));
    EXPECT_TRUE(reused.Finish(collect));
    EXPECT_TRUE(reused.Feed("shed\r", collect));
    EXPECT_TRUE(reused.Feed("\nr=2", collect));
    EXPECT_TRUE(reused.Finish(collect));
    EXPECT_EQ(lines, (Lines{{"p", "1"}, {"q", "unfini"}, {"r", "2"}})) << "nothing of the first text is left over";
}

class LanguageFileChunkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch.Valid()); }

    // Lines of filler that fill exactly `length` bytes (at least 4).
    static std::string Filler(std::size_t length) { return "f=" + std::string(length - 4, 'x') + "\r\n"; }

    std::string Lookup(const std::string& content, const std::string& key)
    {
        scratch.Write("lang.txt", content);
        return LookupString(scratch.Path("lang.txt"), key);
    }

    static constexpr std::size_t kChunk = kLanguageReadChunkSize;
    ScratchDirectory scratch;
};

TEST_F(LanguageFileChunkTest, KeyLinesAndLineEndsStraddlingTheBufferEnd)
{
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        const std::string lines = "String61=wrong" + end + "String6=Straddling" + end + "String7=next";
        // From the whole block before the boundary to its first byte after it,
        // so that every byte of it, the CR LF among them, meets the boundary.
        for (std::size_t start = kChunk - lines.size(); start <= kChunk + 1; ++start) {
            const std::string file = Filler(start) + lines;
            EXPECT_EQ(Lookup(file, "string6"), "Straddling") << "block at " << start << ", ends " << end.size();
            EXPECT_EQ(Lookup(file, "String7"), "next") << "block at " << start << ", ends " << end.size();
        }
    }
}

TEST_F(LanguageFileChunkTest, ValuesLongerThanTheBufferAndZeroBytesPastIt)
{
    const std::string longValue(2 * kChunk + kChunk / 2 + 7, 'v');
    const std::string file = Filler(kChunk - 3) + "String8=" + longValue + "\r\nString9=after";
    EXPECT_EQ(Lookup(file, "String8"), longValue);
    EXPECT_EQ(Lookup(file, "String9"), "after");

    const std::string longKey(3 * kChunk, 'k');
    EXPECT_EQ(Lookup(longKey + "=x\nString1=found", "String1"), "found");
    EXPECT_EQ(Lookup(longKey + "=x\nString1=found", longKey), "x");

    const std::string zeroAfter = Filler(kChunk - 10) + "String5=ab" + std::string(1, '\0') + "cd\r\nString2=2";
    EXPECT_EQ(Lookup(zeroAfter, "String5"), "ab");
    EXPECT_EQ(Lookup(zeroAfter, "String2"), "2");
    const std::string zeroBefore = Filler(kChunk - 13) + "String5=ab" + std::string(1, '\0') + "String2=no\nString2=2";
    EXPECT_EQ(Lookup(zeroBefore, "String2"), "2") << "text after a zero byte is no line";

    // A converted copy's padding zeros, longer than the buffer.
    const std::string padded = "String4=" + std::string(2 * kChunk, '\0');
    scratch.Write("padded.txt", padded);
    EXPECT_EQ(Message(scratch.Path("padded.txt"), "String4", "fallback"), "fallback");
    EXPECT_EQ(Lookup(padded, "String3"), "");
}

}  // namespace
