#include "common/FieldText.h"
#include "resources/resource.h"
#include "tests/unit/TestKit.h"
#include "tuning/DishPageView.h"
#include "tuning/TransponderInfoRules.h"
#include "tuning/TransponderNames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <string>

namespace {

TransponderRecord Transponder(const char* name, std::int32_t frequency, std::int32_t symbolRate,
                              std::int32_t polarity)
{
    return *::Transponder(frequency, symbolRate, polarity, name);
}

}  // namespace

// Frequency 950 to 14000 MHz, symbol rate 900 to 45000 ksps, checked in that
// order before the polarity, each refusal with its own text and field.
TEST(TransponderInfoRules, RangesAndOrderOfTheChecks)
{
    using F = TransponderInfoField;
    const char* frequency = "Frequency data is invalid,it must be 950-14000.";
    const char* symbolRate = "Symbol rate data is invalid,it must be 900-45000";
    struct Case {
        const char *frequencyText, *symbolRateText;
        int polarity;
        const char *key, *english;
        F focus;
    } const cases[] = {
        {"950", "27500", 0, nullptr, nullptr, F::Frequency},      {"14000", "45000", 1, nullptr, nullptr, F::Frequency},
        {"12380", "900", 0, nullptr, nullptr, F::Frequency},
        {"949", "27500", 0, "String15", frequency, F::Frequency},  {"14001", "27500", 0, "String15", frequency, F::Frequency},
        {"9a0", "27500", 0, "String15", frequency, F::Frequency},  {"12380", "899", 0, "String16", symbolRate, F::SymbolRate},
        {"12380", "45001", 0, "String16", symbolRate, F::SymbolRate},
        {"", "", -1, "String15", "Frequency data is invalid,it must be 950-14000", F::Frequency},  // no full stop
        {"1", "", -1, "String16", symbolRate, F::SymbolRate},     {"1", "1", -1, "String15", frequency, F::Frequency},
        {"12380", "1", -1, "String16", symbolRate, F::SymbolRate},
        {"12380", "27500", -1, "String17", "Polarity is invalid", F::Polarity},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.frequencyText) + " / " + c.symbolRateText + " / " + std::to_string(c.polarity));
        const TransponderInfoCheck check = CheckTransponderInfo(c.frequencyText, c.symbolRateText, c.polarity);
        EXPECT_EQ(check.ok, c.key == nullptr);
        if (c.key == nullptr)
            continue;
        ASSERT_NE(check.message.key, nullptr);
        EXPECT_STREQ(check.message.key, c.key);
        EXPECT_STREQ(check.message.english, c.english);
        EXPECT_EQ(check.focus, c.focus);
    }
}

// "N" names from the values, "S" renames for a typed symbol rate, "P" for the
// polarity; anything but polarity 0 is horizontal.
TEST(TransponderNameRules, NamesFromTheValuesAndRenamesKeepTheTypedText)
{
    struct Case { const char* name; std::int32_t frequency, symbolRate, polarity; char rename; const char* typed, *result; };
    const Case cases[] = {
        {"", 12380, 27500, 1, 'N', "", "12380H/27500"},             {"", 12380, 27500, 7, 'N', "", "12380H/27500"},
        {"", 12380, 27500, 0, 'N', "", "12380V/27500"},             {"12380V/27500", 12380, 2750, 0, 'S', "02750", "12380V/02750"},
        {"12380V/27500", 12380, 27500, 1, 'P', "", "12380H/27500"}, {"12380H/27500", 12380, 27500, 0, 'P', "", "12380V/27500"},
        {"Sky News", 11778, 27500, 0, 'S', "02200", "11778V/02200"}, {"/27500", 11778, 27500, 1, 'P', "", "11778H/27500"},
    };
    for (const Case& c : cases) {
        TransponderRecord record = Transponder(c.name, c.frequency, c.symbolRate, c.polarity);
        if (c.rename == 'N')
            NameTransponder(record);
        else if (c.rename == 'S')
            RenameForSymbolRate(record, c.typed);
        else
            RenameForPolarity(record);
        EXPECT_EQ(FieldText(record.name), c.result) << c.name << " " << c.rename;
    }
}

TEST(TransponderNameRules, RenamesNeverOverrunTheNameField)
{
    // A full field without a terminating zero, as a foreign file may hold it.
    TransponderRecord record;
    std::memset(record.name, 'A', sizeof record.name);
    record.name[30] = '/';
    RenameForSymbolRate(record, "45000");
    EXPECT_EQ(FieldText(record.name), std::string(30, 'A') + "/");
    EXPECT_EQ(record.name[31], '\0');

    std::memset(record.name, 'B', sizeof record.name);
    record.name[5] = '/';
    record.polarity = 1;
    RenameForPolarity(record);
    EXPECT_EQ(FieldText(record.name), "BBBBH/" + std::string(25, 'B'));

    TransponderRecord noZero;
    std::memset(noZero.name, 'C', sizeof noZero.name);
    noZero.frequency = -1;
    noZero.symbolRate = -1;
    RenameForPolarity(noZero);
    EXPECT_EQ(FieldText(noZero.name), "4294967295V/4294967295");
}

TEST(DishPageViewRules, ComboListsTheTranspondersInDatabaseOrder)
{
    SatelliteRecord satellite;
    SetFieldText(satellite.name, "Astra");
    satellite.degree = 192;
    satellite.dishType = 2;
    TransponderRecord second = Transponder("10714H/22000", 10714, 22000, 1);
    TransponderRecord first = Transponder("12380V/27500", 12380, 27500, 0);
    first.next = &second;
    satellite.firstTransponder = &first;

    const DishTransponderView view = BuildDishTransponderView(&satellite, &second);
    EXPECT_STREQ(view.dishTypeName.english, "USALS");
    EXPECT_EQ(view.satelliteText, "Astra (192)");
    EXPECT_EQ(view.degreeText, "192");
    ASSERT_EQ(view.items.size(), 2u);
    EXPECT_EQ(view.items[0].text, "12380");
    EXPECT_EQ(view.items[0].record, &first);
    EXPECT_EQ(view.items[1].text, "10714");
    EXPECT_EQ(view.selectedIndex, 1);
    EXPECT_EQ(view.frequencyText, "10714");
    EXPECT_EQ(view.symbolRateText, "22000");
    EXPECT_EQ(view.polarity, 1);
    EXPECT_TRUE(view.transponderControlsEnabled);
}

TEST(DishPageViewRules, WithoutTransponderTheControlsStayEmptyAndDisabled)
{
    SatelliteRecord satellite;
    SetFieldText(satellite.name, "Thor");
    satellite.dishType = 9;
    const DishTransponderView view = BuildDishTransponderView(&satellite, nullptr);
    EXPECT_TRUE(view.dishTypeName.IsEmpty());
    EXPECT_TRUE(view.items.empty());
    EXPECT_EQ(view.selectedIndex, -1);
    EXPECT_FALSE(view.transponderControlsEnabled);
    EXPECT_EQ(view.polarity, -1);
    EXPECT_EQ(view.symbolRateText, "");

    const DishTransponderView none = BuildDishTransponderView(nullptr, nullptr);
    EXPECT_EQ(none.satelliteText, "");
    EXPECT_FALSE(none.transponderControlsEnabled);
}

// The LNB & Switch page's radio buttons carry the translated dish types.
TEST(DishPageViewRules, DishTypesUseTheTextsOfTheLnbPageButtons)
{
    const std::pair<int, const char*> cases[] = {
        {IDC_LNB_FIXED, "Fixed"}, {IDC_LNB_DISEQC_MOTOR, "DiSEqC 1.2 motor"}, {IDC_LNB_USALS, "USALS"}};
    for (int dishType = 0; dishType < 3; ++dishType) {
        const MessageRef name = DishTypeName(dishType);
        EXPECT_EQ(name.key, std::to_string(cases[dishType].first));
        EXPECT_STREQ(name.english, cases[dishType].second);
    }
}
