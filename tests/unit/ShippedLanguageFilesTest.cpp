// The language files that ship beside the program, read as the program reads
// them: every translation names every key of English, and the texts that
// hold two parts hold the "/".
#include "app/InstallPaths.h"
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

std::filesystem::path LanguageFolder() { return SourceFolder() / "resources" / "Language"; }

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

// The file every other language is made from (its bytes are the generator's,
// which the language_files check holds): every message key, and the tab
// captions the program shows before a language file is applied.
TEST(ShippedLanguageFilesTest, EnglishFileKeysAndTabCaptions)
{
    const std::map<std::string, std::string> english = ReadShipped("English");
    for (int n = 1; n <= 41; ++n)
        EXPECT_EQ(english.count("String" + std::to_string(n)), 1u) << "String" << n;
    // GetCIInfo below 5 is a satellite card, 7 a terrestrial one, anything else a cable card.
    const std::vector<const char*> satellite{"Page1", "Page2", "Page3"}, cable{"Page10", "Page11"};
    const std::pair<int, std::vector<const char*>> tabs[] = {
        {-1, satellite}, {0, satellite}, {4, satellite}, {5, cable}, {6, cable}, {7, {"Page20", "Page21"}}, {8, cable}};
    for (const auto& [kind, keys] : tabs) {
        std::vector<std::string> captions;
        for (const char* key : keys)
            captions.push_back(english.at(key));
        EXPECT_EQ(TabCaptions(kind), captions) << "card kind " << kind;
    }
}

}   // namespace
