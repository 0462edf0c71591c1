// The language files that ship beside the program, read as the program reads
// them: every translation names every key of English, and the texts that
// hold two parts hold the "/".
#include "language/DialogLanguageRules.h"
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "tests/unit/SourceTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace {

std::filesystem::path LanguageFolder()
{
    return SourceFolder() / "resources" / "Language";
}

// Key and value of every line, as the program sees the file.
std::map<std::string, std::string> ReadShipped(const std::string& language)
{
    std::ifstream in(LanguageFolder() / (language + ".txt"), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string text = bytes;
    if (!IsAnsiLanguageFile("Language\\" + language + ".txt", ""))
        text = ConvertLanguageBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    std::map<std::string, std::string> lines;
    ForEachLanguageLine(text, [&](std::string_view key, std::string_view value) {
        lines.emplace(key, value);
        return true;
    });
    return lines;
}

std::set<std::string> KeysOf(const std::map<std::string, std::string>& lines)
{
    std::set<std::string> keys;
    for (const auto& [key, value] : lines)
        keys.insert(key);
    return keys;
}

TEST(ShippedLanguageFilesTest, EveryTranslationNamesEveryKeyOfEnglish)
{
    const std::map<std::string, std::string> english = ReadShipped("English");
    ASSERT_GT(english.size(), 150u) << "English.txt not found below " << LanguageFolder();
    for (const char* language : {"German", "French", "Spanish", "Simplified Chinese"}) {
        const std::map<std::string, std::string> lines = ReadShipped(language);
        EXPECT_EQ(KeysOf(lines), KeysOf(english)) << language;
        for (const char* twoParts : {"1001", "1003", "Dialog1"}) {
            const auto found = lines.find(twoParts);
            ASSERT_NE(found, lines.end()) << language << " " << twoParts;
            EXPECT_FALSE(PartOfValue(found->second, TextPart::BeforeSlash).empty()) << language << " " << twoParts;
            EXPECT_FALSE(PartOfValue(found->second, TextPart::AfterSlash).empty()) << language << " " << twoParts;
        }
        for (const auto& [key, value] : english) {
            // A key that English fills must not fall back or empty a control.
            if (!value.empty() && lines.count(key))
                EXPECT_FALSE(lines.at(key).empty()) << language << " " << key;
        }
    }
}

TEST(ShippedLanguageFilesTest, WesternTranslationsSurviveTheConversion)
{
    const std::map<std::string, std::string> german = ReadShipped("German");
    EXPECT_EQ(german.at("1005"), "\xC4ndern");
    EXPECT_EQ(german.at("Page3"), "Filter    ");
    EXPECT_EQ(ReadShipped("French").at("String38"), "\xC0 propos");
    EXPECT_EQ(ReadShipped("Spanish").at("String7"), "\xBFSeguro que desea eliminar el PID actual?");
    // Code page 936 bytes of the two characters for "New".
    EXPECT_EQ(ReadShipped("Simplified Chinese").at("1004"), "\xD0\xC2\xBD\xA8");
}

}  // namespace
