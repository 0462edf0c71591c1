#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/LanguageList.h"
#include "language/LanguageTextDecoder.h"
#include "language/LanguageTexts.h"
#include "tests/unit/ScratchDirectory.h"

#include <gtest/gtest.h>

namespace {

// UTF-16LE with byte-order mark.
std::string Utf16File(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// The bytes decoded in pieces cut before each position in `cuts` (ascending;
// a repeated position gives an empty piece).
std::string DecodeInPieces(std::string_view bytes, unsigned codePage, const std::vector<std::size_t>& cuts)
{
    LanguageTextDecoder decoder(codePage);
    std::string utf8;
    std::size_t start = 0;
    for (std::size_t cut : cuts) {
        utf8 += decoder.Feed(bytes.substr(start, cut - start));
        start = cut;
    }
    utf8 += decoder.Feed(bytes.substr(start));
    utf8 += decoder.Finish();
    return utf8;
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

TEST_F(LanguageFileTest, FirstWholeKeyMatchGivesEverythingAfterTheFirstEquals)
{
    const std::string file = "1003=Satellite:/Channel:\r\n"
                             "String6 =with blank\r\n"
                             "string6=a=b= c \r\n"
                             "String6=second\r\n"
                             "String61=longer key\r\n"
                             "no equals sign\r\n"
                             "=empty key\r\n";
    EXPECT_EQ(Lookup(file, "String6"), "a=b= c ");
    EXPECT_EQ(Lookup(file, "STRING61"), "longer key");
    EXPECT_EQ(Lookup(file, "String6 "), "with blank");
    EXPECT_EQ(Lookup(file, "String"), "");
    EXPECT_EQ(Lookup(file, ""), "");
    EXPECT_EQ(LookupString(scratch.Path("missing.txt"), "String6"), "");
}

TEST_F(LanguageFileTest, EveryLineEndAndNoFinalLineEnd)
{
    const std::string file = "String1=crlf\r\nString2=lf\nString3=cr\rString4=\r\n\nString5=last";
    EXPECT_EQ(Lookup(file, "String1"), "crlf");
    EXPECT_EQ(Lookup(file, "String2"), "lf");
    EXPECT_EQ(Lookup(file, "String3"), "cr");
    EXPECT_EQ(Lookup(file, "String4"), "");
    EXPECT_EQ(Lookup(file, "String5"), "last");

    const std::string longValue(200000, 'v');
    EXPECT_EQ(Lookup(std::string(70000, 'k') + "=x\n" + "String7=" + longValue, "String7"), longValue);
}

TEST_F(LanguageFileTest, MessageFallsBackToEnglishForEmptyValues)
{
    scratch.Write("lang.txt", "String4=\r\nString6=Ce PID existe.\r\n");
    const std::string path = scratch.Path("lang.txt");
    EXPECT_EQ(Message(path, "String6", "This PID already exist."), "Ce PID existe.");
    EXPECT_EQ(Message(path, "String4", "Input Data PID between Hex: 0015-1FFE."),
              "Input Data PID between Hex: 0015-1FFE.");
    EXPECT_EQ(Message(scratch.Path("none.txt"), "String7", "Are you sure to remove the current PID?"),
              "Are you sure to remove the current PID?");
}

TEST_F(LanguageFileTest, LinesStopAtAZeroByteAndSkipLinesWithoutEquals)
{
    std::vector<std::pair<std::string, std::string>> lines;
    ForEachLanguageLine(std::string_view("a=1\0junk\nplain\nb=\0\0\0", 21), [&](std::string_view key, std::string_view value) {
        lines.emplace_back(key, value);
        return true;
    });
    const std::vector<std::pair<std::string, std::string>> expected{{"a", "1"}, {"b", ""}};
    EXPECT_EQ(lines, expected);

    int calls = 0;
    ForEachLanguageLine("a=1\nb=2\n", [&](std::string_view, std::string_view) { return ++calls < 1; });
    EXPECT_EQ(calls, 1) << "reading stops when asked";
}

TEST_F(LanguageFileTest, ConvertedCopyIsHalfTheFileSize)
{
    const std::string ascii = Convert(Utf16File(std::u16string(500, u'x')));
    ASSERT_EQ(ascii.size(), 501u) << "1002 bytes give 501";
    EXPECT_EQ(ascii, std::string(500, 'x') + '\0');

    EXPECT_EQ(Convert(Utf16File(u"ab") + "Z"), std::string("ab\0", 3)) << "odd byte dropped";
    EXPECT_EQ(Convert(""), "");
    EXPECT_EQ(Convert("\xFF"), "");
    EXPECT_EQ(Convert("\xFF\xFE"), std::string(1, '\0'));

    // Characters outside the code page become blanks; the copy keeps its size.
    const std::string mixed = Convert(Utf16File(u"d\u00E9j\u00E0 \u20AC \u4E2D \U0001F600!"));
    EXPECT_EQ(mixed, std::string("d\xE9j\xE0 \x80    !\0\0", 13)) << "12 code units, a pair among them";
}

TEST_F(LanguageFileTest, ConvertLanguageFileWritesTheCopyBesideTheFile)
{
    scratch.Write("French.txt", Utf16File(u"String6=Ce PID existe d\u00E9j\u00E0.\r\nString8="));
    std::string error = "stale";
    ASSERT_TRUE(ConvertLanguageFile(scratch.Path("French.txt"), ".tmp", error));
    EXPECT_EQ(error, "");
    const std::string copyPath = scratch.Path("French.txt.tmp");
    EXPECT_EQ(LookupString(copyPath, "String6"), "Ce PID existe d\xC3\xA9j\xC3\xA0.") << "UTF-8, from the source";
    EXPECT_EQ(Message(copyPath, "String8", "fallback"), "fallback") << "padding zeros are no text";
    EXPECT_EQ(scratch.Read("French.txt.tmp").size(), scratch.Read("French.txt").size() / 2);

    EXPECT_FALSE(ConvertLanguageFile(scratch.Path("German.txt"), ".tmp", error));
    EXPECT_NE(error.find("German.txt"), std::string::npos) << error;
    EXPECT_LE(error.size(), 255u);
    EXPECT_FALSE(std::filesystem::exists(scratch.Path("German.txt.tmp")));

    DeleteTemporaryLanguageFile(scratch.Path("") + "/", "none");   // a missing copy is no error
}

// The windows show a copy's texts from its UTF-16 source, which has kept
// what the copy's code page lacks; the copy still decides that the language
// loads at all.
TEST_F(LanguageFileTest, TextsOfACopyComeFromItsSource)
{
    scratch.Write("German.txt", Utf16File(u"String6=Zur\u00FCck \u0416\r\nString8=\r\n"));
    std::string error;
    ASSERT_TRUE(ConvertLanguageFile(scratch.Path("German.txt"), ".tmp", error));
    const std::string copy = scratch.Path("German.txt.tmp");
    EXPECT_EQ(Message(copy, "String6", "fallback"), "Zur\xC3\xBC" "ck \xD0\x96");
    EXPECT_EQ(Message(copy, "String8", "fallback"), "fallback");

    std::filesystem::remove(scratch.Path("German.txt"));
    EXPECT_EQ(Message(copy, "String6", "fallback"), "Zur\xC3\xBC" "ck  ") << "without its source the copy serves";
    scratch.Write("German.txt", Utf16File(u"String6=x"));
    std::filesystem::remove(copy);
    EXPECT_EQ(ReadLanguageTexts(copy), std::nullopt);
    EXPECT_EQ(LookupString(copy, "String6"), "") << "the copy decides that the language loads";
}

// The read buffer holds an even number of bytes, so only a surrogate pair can
// straddle its end in a UTF-16 file.
TEST_F(LanguageFileTest, Utf16CharactersStraddlingTheReadBufferEnd)
{
    const std::pair<std::u16string, std::string> characters[] = {
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {u"\u4E2D", "\xE4\xB8\xAD"},
    };
    constexpr std::size_t kChunk = kLanguageReadChunkSize;
    for (const auto& [character, utf8] : characters) {
        // The character from 4 bytes before the buffer's end to its end.
        for (std::size_t offset = kChunk - 4; offset <= kChunk; offset += 2) {
            const std::size_t fillerUnits = (offset - 2) / 2 - 8;
            const std::u16string text = u"f=" + std::u16string(fillerUnits - 4, u'x') + u"\r\nString6=" + character +
                                        u"end\r\nString7=" + character;
            EXPECT_EQ(Lookup(Utf16File(text), "String6"), utf8 + "end") << "character at " << offset;
            EXPECT_EQ(Lookup(Utf16File(text), "String7"), utf8) << "character at " << offset;
        }
    }
}

TEST(LanguageTexts, FilesBecomeUtf8CutAnywhereAndTheChineseNamesChooseTheirCodePage)
{
    struct Decoding {
        std::string bytes;
        unsigned codePage;
        std::string utf8;
    };
    const Decoding decodings[] = {
        {Utf16File(u"a\u00E9\u4E2D\U0001F600\U0001F600"), 1252, "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\xF0\x9F\x98\x80"},
        {Utf16File(std::u16string{0xDC00, u'x', 0xD800}), 1252, "\xEF\xBF\xBDx\xEF\xBF\xBD"},
        {Utf16File(u"ab") + "Z", 1252, "ab"},
        {Utf16File(std::u16string(u"a\0b", 3)), 1252, std::string("a\0b", 3)},
        {"\xFF\xFE", 1252, ""},
        {"\xFF", 1252, "\xC3\xBF"},
        {"", 1252, ""},
        {"Zur\xFC" "ck \x80", 1252, "Zur\xC3\xBC" "ck \xE2\x82\xAC"},
        {"\xD6\xD0\xCE\xC4=x\r\n\xD6\xD0", 936, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD=x\r\n\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const Decoding& decoding : decodings) {
        const std::string_view bytes = decoding.bytes;
        EXPECT_EQ(DecodeInPieces(bytes, decoding.codePage, {}), decoding.utf8) << testing::PrintToString(bytes);
        std::vector<std::size_t> everyByte;
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            EXPECT_EQ(DecodeInPieces(bytes, decoding.codePage, {cut}), decoding.utf8)
                << "cut at " << cut << " of " << testing::PrintToString(bytes);
            everyByte.push_back(cut);
        }
        EXPECT_EQ(DecodeInPieces(bytes, decoding.codePage, everyByte), decoding.utf8)
            << "1-byte pieces of " << testing::PrintToString(bytes);
    }

    const std::pair<const char*, unsigned> codePages[] = {
        {"C:\\Lumisat\\Language\\Simplified Chinese.txt", 936u},
        {"C:\\Lumisat\\Language\\simplified chinese.TXT", 936u},
        {"C:/Lumisat/Language/Traditional Chinese.txt", 950u},
        {"C:\\Lumisat\\Language\\German.txt", 0u},
        {"C:\\Lumisat\\Language\\Not Simplified Chinese.txt", 0u},
    };
    for (const auto& [path, codePage] : codePages)
        EXPECT_EQ(LanguageFileCodePage(path), codePage) << path;
}

class ScriptedLister : public DirectoryLister {
public:
    explicit ScriptedLister(std::vector<DirectoryEntry> entries) : entries(std::move(entries)) {}
    std::vector<DirectoryEntry> List(const std::string& pattern) const override
    {
        patterns.push_back(pattern);
        return entries;
    }
    std::vector<DirectoryEntry> entries;
    mutable std::vector<std::string> patterns;
};

TEST(LanguageListTest, ListsTxtFilesUnderTheirBaseNamesInFolderOrder)
{
    const ScriptedLister lister({{".", true}, {"..", true}, {"German.txt", false}, {"x.txt", true},
                                 {"a.b.txt", false}, {"ENGLISH.TXT", false}, {"old.txt1", false},
                                 {".txt", false}, {"Simplified Chinese.txt", false}});
    const LanguageList list = FillLanguageList("C:\\Lumisat", "english", lister);
    ASSERT_EQ(lister.patterns.size(), 1u);
    EXPECT_EQ(lister.patterns[0], "C:\\Lumisat\\Language\\*.txt");
    EXPECT_EQ(list.names, (std::vector<std::string>{"German", "a.b", "ENGLISH", "Simplified Chinese"}));
    EXPECT_EQ(list.selectedIndex, 2);
    EXPECT_EQ(list.languageFilePath, "C:\\Lumisat\\Language\\english.txt");
}

TEST(LanguageListTest, MissingLanguageAndEmptyPath)
{
    const ScriptedLister lister({{"German.txt", false}});
    const LanguageList withoutEnglish = FillLanguageList("C:\\Lumisat\\", "English", lister);
    EXPECT_EQ(withoutEnglish.names, std::vector<std::string>{"German"});
    EXPECT_EQ(withoutEnglish.selectedIndex, -1);
    EXPECT_EQ(lister.patterns.back(), "C:\\Lumisat\\Language\\*.txt");

    const LanguageList empty = FillLanguageList("", "English", lister);
    EXPECT_TRUE(empty.names.empty());
    EXPECT_EQ(lister.patterns.size(), 1u) << "no search without a path";
    EXPECT_EQ(empty.languageFilePath, "Language\\English.txt");
    EXPECT_EQ(TemporaryLanguageFilePath("C:\\L\\", "French"), "C:\\L\\Language\\French.txt.tmp");
}

}  // namespace
