// The English language file that ships beside the program: its encoding and
// line format, every message key, and control texts that match the dialog
// templates so that a translator starts from one complete file.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/wine/DialogTemplateTable.h"
#include "tests/wine/ResourceTestSupport.h"

using namespace resource_test;

namespace {

struct LanguageFile {
    std::string bytes;
    std::vector<std::wstring> lines;
    std::map<std::wstring, std::wstring> values;  // first line of each key
    std::vector<std::wstring> repeatedKeys;
};

bool LoadEnglishFile(LanguageFile& file)
{
    if (!ReadFileBytes(SourceFile("resources\\Language\\English.txt"), file.bytes) || file.bytes.size() < 2 ||
        file.bytes.size() % 2 != 0)
        return false;
    std::wstring text;
    for (size_t i = 2; i + 1 < file.bytes.size(); i += 2) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(file.bytes[i]) |
                                     static_cast<unsigned char>(file.bytes[i + 1]) << 8);
    }
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        file.lines.push_back(text.substr(start, end - start));
    if (start != text.size())
        file.lines.push_back(text.substr(start));
    for (const std::wstring& line : file.lines) {
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos)
            continue;
        std::wstring key = line.substr(0, equals);
        if (!file.values.emplace(key, line.substr(equals + 1)).second)
            file.repeatedKeys.push_back(key);
    }
    return true;
}

std::wstring Widen(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// Controls whose template text a language line replaces: words, not the
// numbers shown until the program fills in a value.
bool IsTranslatable(const ExpectedControl& control)
{
    if (control.text == nullptr || control.id <= IDCANCEL || *control.text == '\0')
        return false;
    return std::string(control.text).find_first_not_of("0123456789.%") != std::string::npos;
}

const ExpectedDialog& DialogById(int id)
{
    for (const ExpectedDialog& dialog : ExpectedDialogs()) {
        if (dialog.id == id)
            return dialog;
    }
    static const ExpectedDialog none{};
    return none;
}

std::wstring BeforeSlash(const std::wstring& value)
{
    return value.substr(0, value.find(L'/'));
}

}  // namespace

TEST(DialogTemplatesLanguage, EnglishFileIsUtf16WithCrLfLinesAndEveryMessageKey)
{
    LanguageFile file;
    ASSERT_TRUE(LoadEnglishFile(file)) << "cannot read English.txt below LUMISAT_SOURCE";
    EXPECT_EQ('\xFF', file.bytes[0]);
    EXPECT_EQ('\xFE', file.bytes[1]);
    for (const std::wstring& line : file.lines) {
        EXPECT_EQ(std::wstring::npos, line.find_first_of(L"\r\n")) << "stray line break in " << Narrow(line);
        EXPECT_NE(std::wstring::npos, line.find(L'=')) << "no key in " << Narrow(line);
    }
    EXPECT_TRUE(file.repeatedKeys.empty()) << Narrow(file.repeatedKeys.empty() ? L"" : file.repeatedKeys[0]);
    for (int number = 1; number <= 41; ++number)
        EXPECT_EQ(1u, file.values.count(L"String" + std::to_wstring(number))) << "String" << number;

    // Texts whose exact characters are easy to lose.
    EXPECT_EQ(L" Satellite degree value can`t be empty", file.values[L"String41"]);
    EXPECT_EQ(L"Satellite name can`t be empty", file.values[L"String40"]);
    EXPECT_EQ(L"Cann't input more than four chars.", file.values[L"String3"]);
    EXPECT_EQ(L"Can't init hardware information,this application will exit.", file.values[L"String18"]);
}

TEST(DialogTemplatesLanguage, EnglishFileNamesEveryTranslatableControlWithItsTemplateText)
{
    LanguageFile file;
    ASSERT_TRUE(LoadEnglishFile(file));
    std::set<int> translatable;
    for (const ExpectedDialog& dialog : ExpectedDialogs()) {
        for (const ExpectedControl& control : dialog.controls) {
            if (!IsTranslatable(control))
                continue;
            translatable.insert(control.id);
            auto found = file.values.find(std::to_wstring(control.id));
            if (found == file.values.end()) {
                ADD_FAILURE() << "no line for control " << control.id << " \"" << control.text << "\"";
                continue;
            }
            // The main dialog's satellite group and label carry "satellite/channel".
            const bool split = control.id == 1001 || control.id == 1003;
            const std::wstring value = split ? BeforeSlash(found->second) : found->second;
            EXPECT_EQ(Widen(control.text), value) << "control " << control.id;
            if (split) {
                EXPECT_NE(std::wstring::npos, found->second.find(L'/')) << "control " << control.id;
            }
        }
    }
    for (const auto& [key, value] : file.values) {
        if (!key.empty() && key[0] >= L'0' && key[0] <= L'9') {
            EXPECT_EQ(1u, translatable.count(_wtoi(key.c_str()))) << "line for unknown control " << Narrow(key);
        }
    }
}

TEST(DialogTemplatesLanguage, EnglishFileCaptionsAndTabsMatchTheProgram)
{
    LanguageFile file;
    ASSERT_TRUE(LoadEnglishFile(file));
    EXPECT_EQ(Widen(DialogById(137).caption), BeforeSlash(file.values[L"Dialog1"]));
    EXPECT_NE(std::wstring::npos, file.values[L"Dialog1"].find(L'/')) << "no caption for channels";
    EXPECT_EQ(Widen(DialogById(138).caption), file.values[L"Dialog2"]);
    EXPECT_EQ(Widen(DialogById(141).caption), file.values[L"Dialog3"]);
    EXPECT_EQ(Widen(DialogById(100).caption), file.values[L"Dialog4"]);
    EXPECT_EQ(L"OK", file.values[L"Ok"]);
    EXPECT_EQ(L"Cancel", file.values[L"Cancel"]);
    // The tab captions as the main dialog inserts them.
    EXPECT_EQ(L"LNB && Switch", file.values[L"Page1"]);
    EXPECT_EQ(L"Dish Setting", file.values[L"Page2"]);
    EXPECT_EQ(L"Cable Setting", file.values[L"Page10"]);
    EXPECT_EQ(L"Terrestrial Setting", file.values[L"Page20"]);
    for (const wchar_t* filterPage : {L"Page3", L"Page11", L"Page21"})
        EXPECT_EQ(L"Filter    ", file.values[filterPage]) << Narrow(filterPage);
    // The wait dialog's label and its message key say the same.
    EXPECT_EQ(Widen(DialogById(148).controls[0].text), file.values[L"String24"]);
}
