#include "language/DialogLanguageRules.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

void PrintTo(const LanguageLineAction& action, std::ostream* out)
{
    static const char* const kTargets[] = {"None", "Control", "Caption", "Tab"};
    *out << kTargets[static_cast<int>(action.target)] << "(" << action.index << ", \"" << action.text << "\")";
}

namespace {

LanguageLineAction Control(int id, std::string text) { return {LanguageTarget::Control, id, std::move(text)}; }
LanguageLineAction Caption(std::string text) { return {LanguageTarget::Caption, 0, std::move(text)}; }
LanguageLineAction Tab(int index, std::string text) { return {LanguageTarget::Tab, index, std::move(text)}; }
const LanguageLineAction kNothing{};

// Which control, caption or tab a line of a language file changes, for each
// kind of dialog.
TEST(DialogLanguageRulesTest, EachDialogTakesItsOwnKeys)
{
    const DialogLanguageKeys page = TabPageLanguageKeys();
    const DialogLanguageKeys transponder = CaptionDialogLanguageKeys("Dialog2");
    const DialogLanguageKeys satelliteInfo = SatelliteInfoLanguageKeys(false);
    const DialogLanguageKeys channelInfo = SatelliteInfoLanguageKeys(true);
    const DialogLanguageKeys mac = MacAddressLanguageKeys();
    const DialogLanguageKeys satellite = MainDialogLanguageKeys(kSatelliteCard);
    const DialogLanguageKeys cable = MainDialogLanguageKeys(kCableCard);
    const DialogLanguageKeys terrestrial = MainDialogLanguageKeys(kTerrestrialCard);
    struct Case {
        const DialogLanguageKeys& keys;
        const char* key;
        const char* value;
        LanguageLineAction action;
    };
    const Case cases[] = {
        {page, "1081", "Test", Control(1081, "Test")},
        {page, "1081abc", "Test", Control(1081, "Test")},
        {page, "1081 ", "a=b", Control(1081, "a=b")},
        {page, "1081", "", kNothing},
        {page, "0", "zero", kNothing},
        {page, "-1081", "negative", kNothing},
        {page, "99999999999", "huge", Control(2147483647, "huge")},
        {page, "String6", "message", kNothing},
        {page, "Ok", "x", kNothing},
        {page, "Page1", "x", kNothing},
        {page, "1003", "Satellit:/Kanal:", Control(1003, "Satellit:/Kanal:")},
        {transponder, "Dialog2", "", Caption("")},
        {transponder, "Dialog3", "PID", kNothing},
        {transponder, "Ok", "", Control(1, "")},
        {transponder, "OkButton", "Gut", Control(1, "Gut")},
        {transponder, "Cancel", "Abbrechen", Control(2, "Abbrechen")},
        {transponder, "ok", "lower case", kNothing},
        {satelliteInfo, "Dialog1", "Satellit/Kanal/Info", Caption("Satellit")},
        {channelInfo, "Dialog1", "Satellit/Kanal/Info", Caption("Kanal/Info")},
        {satelliteInfo, "Dialog1", "Ohne", Caption("")},
        {channelInfo, "Dialog1", "Ohne", Caption("Ohne")},
        {satelliteInfo, "1111", "a/b", Control(1111, "a/b")},
        {mac, "Cancel", "Annuler", Control(2, "Annuler")},
        {mac, "Ok", "OK", kNothing},
        {mac, "Dialog1", "x", kNothing},
        {satellite, "Page1", "LNB", Tab(0, "LNB")},
        {satellite, "Page3", "", Tab(2, "")},
        {satellite, "Page10", "Kabel", kNothing},
        {satellite, "Page0", "x", kNothing},
        {cable, "Page1", "LNB", kNothing},
        {cable, "Page10", "Kabel", Tab(0, "Kabel")},
        {cable, "Page11", "Filter", Tab(1, "Filter")},
        {terrestrial, "Page11", "x", kNothing},
        {terrestrial, "Page20", "Terrestrisch", Tab(0, "Terrestrisch")},
        {satellite, "1003", "Satellit:/Kanal:", Control(1003, "Satellit:")},
        {cable, "1003", "Satellit:/Kanal:", Control(1003, "Kanal:")},
        {terrestrial, "1003", "Satellit:/Kanal:", Control(1003, "Kanal:")},
        {satellite, "1001", "Liste", Control(1001, "")},
        {cable, "1001", "Liste", Control(1001, "Liste")},
        {satellite, "1004", "Neu/x", Control(1004, "Neu/x")},
        {satellite, "Dialog1", "x/y", kNothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ActionOfLanguageLine(c.key, c.value, c.keys), c.action) << c.key << "=" << c.value;
    EXPECT_EQ(LeadingNumber("  42x"), 42);
    EXPECT_EQ(LeadingNumber("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(TabIndexOfPage(2, 4), 1);
    EXPECT_EQ(TabIndexOfPage(10, 8), 0);
}

}   // namespace
