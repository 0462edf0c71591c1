#include "language/DialogLanguageRules.h"

#include <gtest/gtest.h>

void PrintTo(const LanguageLineAction& action, std::ostream* out)
{
    static const char* const kTargets[] = {"None", "Control", "Caption", "Tab"};
    *out << kTargets[static_cast<int>(action.target)] << "(" << action.index << ", \"" << action.text << "\")";
}

namespace {

constexpr int kSatelliteCard = 0;
constexpr int kCableCard = 5;
constexpr int kTerrestrialCard = 7;

LanguageLineAction Control(int id, std::string text) { return {LanguageTarget::Control, id, std::move(text)}; }
LanguageLineAction Caption(std::string text) { return {LanguageTarget::Caption, 0, std::move(text)}; }
LanguageLineAction Tab(int index, std::string text) { return {LanguageTarget::Tab, index, std::move(text)}; }
const LanguageLineAction kNothing{};

TEST(DialogLanguageRulesTest, NumberedKeysNameControlsOnlyWithAValue)
{
    const DialogLanguageKeys page = TabPageLanguageKeys();
    EXPECT_EQ(ActionOfLanguageLine("1081", "Test", page), Control(1081, "Test"));
    EXPECT_EQ(ActionOfLanguageLine("1081abc", "Test", page), Control(1081, "Test")) << "digits then letters";
    EXPECT_EQ(ActionOfLanguageLine("1081 ", "a=b", page), Control(1081, "a=b"));
    EXPECT_EQ(ActionOfLanguageLine("1081", "", page), kNothing) << "an empty value never changes a control";
    EXPECT_EQ(ActionOfLanguageLine("0", "zero", page), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("-1081", "negative", page), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("String6", "message", page), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("", "no key", page), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("99999999999", "huge", page), Control(2147483647, "huge"));
}

TEST(DialogLanguageRulesTest, LeadingNumberReadsAsTheCLibraryDoes)
{
    EXPECT_EQ(LeadingNumber("1003"), 1003);
    EXPECT_EQ(LeadingNumber("  42x"), 42);
    EXPECT_EQ(LeadingNumber("+7"), 7);
    EXPECT_EQ(LeadingNumber("-12"), -12);
    EXPECT_EQ(LeadingNumber("x12"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-99999999999"), -2147483647 - 1);
}

TEST(DialogLanguageRulesTest, TabPagesIgnoreEveryWordKey)
{
    const DialogLanguageKeys page = TabPageLanguageKeys();
    for (const char* key : {"Ok", "Cancel", "Page1", "Page10", "Dialog2", "Okay1081", "Cancel2"})
        EXPECT_EQ(ActionOfLanguageLine(key, "x", page), kNothing) << key;
}

TEST(DialogLanguageRulesTest, CaptionDialogsTakeTheirOwnCaptionAndButtonsEvenWhenEmpty)
{
    const DialogLanguageKeys transponder = CaptionDialogLanguageKeys("Dialog2");
    EXPECT_EQ(ActionOfLanguageLine("Dialog2", "Transponder", transponder), Caption("Transponder"));
    EXPECT_EQ(ActionOfLanguageLine("Dialog2", "", transponder), Caption(""));
    EXPECT_EQ(ActionOfLanguageLine("Dialog3", "PID", transponder), kNothing) << "another dialog's caption";
    EXPECT_EQ(ActionOfLanguageLine("Dialog", "none", transponder), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("Ok", "", transponder), Control(1, ""));
    EXPECT_EQ(ActionOfLanguageLine("OkButton", "Gut", transponder), Control(1, "Gut"));
    EXPECT_EQ(ActionOfLanguageLine("Cancel", "Abbrechen", transponder), Control(2, "Abbrechen"));
    EXPECT_EQ(ActionOfLanguageLine("Cancel", "", transponder), Control(2, ""));
    EXPECT_EQ(ActionOfLanguageLine("Page1", "tab", transponder), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("ok", "lower case", transponder), kNothing) << "words are case-sensitive";
    EXPECT_EQ(ActionOfLanguageLine("1116", "Frequenz", transponder), Control(1116, "Frequenz"));
}

TEST(DialogLanguageRulesTest, SatelliteInfoCaptionSplitsAtTheFirstSlash)
{
    const DialogLanguageKeys satellite = SatelliteInfoLanguageKeys(false);
    const DialogLanguageKeys channel = SatelliteInfoLanguageKeys(true);
    EXPECT_EQ(ActionOfLanguageLine("Dialog1", "Satellit/Kanal/Info", satellite), Caption("Satellit"));
    EXPECT_EQ(ActionOfLanguageLine("Dialog1", "Satellit/Kanal/Info", channel), Caption("Kanal/Info"));
    EXPECT_EQ(ActionOfLanguageLine("Dialog1", "Ohne", satellite), Caption("")) << "no slash: nothing before it";
    EXPECT_EQ(ActionOfLanguageLine("Dialog1", "Ohne", channel), Caption("Ohne"));
    EXPECT_EQ(ActionOfLanguageLine("Dialog4", "About", channel), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("1111", "a/b", satellite), Control(1111, "a/b")) << "only the caption splits";
}

TEST(DialogLanguageRulesTest, MacAddressDialogTakesCancelButNotOkOrCaptions)
{
    const DialogLanguageKeys mac = MacAddressLanguageKeys();
    EXPECT_EQ(ActionOfLanguageLine("Cancel", "Annuler", mac), Control(2, "Annuler"));
    EXPECT_EQ(ActionOfLanguageLine("Ok", "OK", mac), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("Dialog1", "x", mac), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("1221", "Enregistrer", mac), Control(1221, "Enregistrer"));
}

TEST(DialogLanguageRulesTest, PageNumbersFollowTheKindOfCard)
{
    const DialogLanguageKeys satellite = MainDialogLanguageKeys(kSatelliteCard);
    const DialogLanguageKeys cable = MainDialogLanguageKeys(kCableCard);
    const DialogLanguageKeys terrestrial = MainDialogLanguageKeys(kTerrestrialCard);

    EXPECT_EQ(ActionOfLanguageLine("Page1", "LNB", satellite), Tab(0, "LNB"));
    EXPECT_EQ(ActionOfLanguageLine("Page3", "", satellite), Tab(2, "")) << "tabs take even an empty value";
    EXPECT_EQ(ActionOfLanguageLine("Page4", "x", satellite), Tab(3, "x")) << "a fourth tab, which does not exist";
    EXPECT_EQ(ActionOfLanguageLine("Page10", "Kabel", satellite), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("Page0", "x", satellite), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("Page", "x", satellite), kNothing);

    EXPECT_EQ(ActionOfLanguageLine("Page1", "LNB", cable), kNothing) << "a cable card ignores Page1";
    EXPECT_EQ(ActionOfLanguageLine("Page10", "Kabel", cable), Tab(0, "Kabel"));
    EXPECT_EQ(ActionOfLanguageLine("Page11", "Filter", cable), Tab(1, "Filter"));
    EXPECT_EQ(ActionOfLanguageLine("Page20", "x", cable), Tab(10, "x")) << "beyond the cable tabs";

    EXPECT_EQ(ActionOfLanguageLine("Page11", "x", terrestrial), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("Page20", "Terrestrisch", terrestrial), Tab(0, "Terrestrisch"));
    EXPECT_EQ(ActionOfLanguageLine("Page21", "Filter", terrestrial), Tab(1, "Filter"));

    for (int kind : {-3, 4})
        EXPECT_EQ(TabIndexOfPage(2, kind), 1) << kind;
    for (int kind : {6, 8, 100})
        EXPECT_EQ(TabIndexOfPage(10, kind), 0) << kind;
}

TEST(DialogLanguageRulesTest, MainDialogSplitsTheSatelliteListTextsByKind)
{
    const DialogLanguageKeys satellite = MainDialogLanguageKeys(kSatelliteCard);
    const DialogLanguageKeys cable = MainDialogLanguageKeys(kCableCard);
    const DialogLanguageKeys terrestrial = MainDialogLanguageKeys(kTerrestrialCard);

    EXPECT_EQ(ActionOfLanguageLine("1003", "Satellit:/Kanal:", satellite), Control(1003, "Satellit:"));
    EXPECT_EQ(ActionOfLanguageLine("1003", "Satellit:/Kanal:", cable), Control(1003, "Kanal:"));
    EXPECT_EQ(ActionOfLanguageLine("1003", "Satellit:/Kanal:", terrestrial), Control(1003, "Kanal:"));
    EXPECT_EQ(ActionOfLanguageLine("1001", "Liste", satellite), Control(1001, "")) << "no slash empties it";
    EXPECT_EQ(ActionOfLanguageLine("1001", "Liste", cable), Control(1001, "Liste"));
    EXPECT_EQ(ActionOfLanguageLine("1001", "", cable), kNothing);
    EXPECT_EQ(ActionOfLanguageLine("1004", "Neu/x", satellite), Control(1004, "Neu/x"));
    EXPECT_EQ(ActionOfLanguageLine("Ok", "", satellite), Control(1, ""));
    EXPECT_EQ(ActionOfLanguageLine("Cancel", "Abbrechen", satellite), Control(2, "Abbrechen"));
    EXPECT_EQ(ActionOfLanguageLine("Dialog1", "x/y", satellite), kNothing);
}

TEST(DialogLanguageRulesTest, WholeFileGivesItsActionsInOrder)
{
    const std::string file = "Page2=Antenne\r\n"
                             "1003=Satellit:/Kanal:\r\n"
                             "String6=Diese PID gibt es schon.\r\n"
                             "1004=\r\n"
                             "no line\r\n"
                             "Ok=OK\r\n"
                             "1005=\xC4ndern\r\n";
    const std::vector<LanguageLineAction> expected = {Tab(1, "Antenne"), Control(1003, "Satellit:"), Control(1, "OK"),
                                                      Control(1005, "\xC4ndern")};
    EXPECT_EQ(LanguageActions(file, MainDialogLanguageKeys(kSatelliteCard)), expected);
    const std::vector<LanguageLineAction> onPages = {Control(1003, "Satellit:/Kanal:"), Control(1005, "\xC4ndern")};
    EXPECT_EQ(LanguageActions(file, TabPageLanguageKeys()), onPages) << "pages split nothing";
    EXPECT_TRUE(LanguageActions("", TabPageLanguageKeys()).empty());
}

TEST(DialogLanguageRulesTest, ChineseFilesAreReadThemselvesOthersThroughTheirCopy)
{
    const std::string install = "C:\\Lumisat\\";
    EXPECT_TRUE(IsAnsiLanguageFile("C:\\Lumisat\\Language\\Simplified Chinese.txt", install));
    EXPECT_TRUE(IsAnsiLanguageFile("C:\\Lumisat\\Language\\Traditional Chinese.txt", install));
    EXPECT_TRUE(IsAnsiLanguageFile("c:\\lumisat\\language\\simplified chinese.txt", install));
    EXPECT_FALSE(IsAnsiLanguageFile("C:\\Lumisat\\Language\\German.txt", install));
    EXPECT_FALSE(IsAnsiLanguageFile("D:\\Other\\Language\\Simplified Chinese.txt", install));
    EXPECT_FALSE(IsAnsiLanguageFile("C:\\Lumisat\\Language\\Simplified Chinese.txt.tmp", install));

    // The language list completes a path without its final backslash.
    EXPECT_TRUE(IsAnsiLanguageFile("C:\\Lumisat\\Language\\Simplified Chinese.txt", "C:\\Lumisat"));
    EXPECT_TRUE(IsAnsiLanguageFile("C:\\LumisatLanguage\\Simplified Chinese.txt", "C:\\Lumisat"));

    EXPECT_EQ(LanguageFileToRead("C:\\Lumisat\\Language\\German.txt", install),
              "C:\\Lumisat\\Language\\German.txt.tmp");
    EXPECT_EQ(LanguageFileToRead("C:\\Lumisat\\Language\\Simplified Chinese.txt", install),
              "C:\\Lumisat\\Language\\Simplified Chinese.txt");
}

}  // namespace
