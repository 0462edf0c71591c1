#include "common/FieldText.h"
#include "tests/unit/TestKit.h"
#include "tuning/TransponderInfoRules.h"
#include "tuning/TransponderNames.h"

#include <gtest/gtest.h>

#include <string>

// Empty fields first, then frequency 950 to 14000 MHz and symbol rate 900 to
// 45000 ksps, then the polarity; each refusal with its own text and field.
TEST(TransponderInfoRules, RangesAndOrderOfTheChecks)
{
    using F = TransponderInfoField;
    struct Case {
        const char *frequencyText, *symbolRateText;
        int polarity;
        const char* key;
        F focus;
    };
    const Case cases[] = {
        {"950", "27500", 0, nullptr, F::Frequency},      {"14000", "45000", 1, nullptr, F::Frequency},
        {"12380", "900", 0, nullptr, F::Frequency},      {"949", "27500", 0, "String15", F::Frequency},
        {"14001", "27500", 0, "String15", F::Frequency}, {"9a0", "27500", 0, "String15", F::Frequency},
        {"12380", "899", 0, "String16", F::SymbolRate},  {"12380", "45001", 0, "String16", F::SymbolRate},
        {"", "", -1, "String15", F::Frequency},          {"1", "", -1, "String16", F::SymbolRate},
        {"1", "1", -1, "String15", F::Frequency},        {"12380", "1", -1, "String16", F::SymbolRate},
        {"12380", "27500", -1, "String17", F::Polarity},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.frequencyText) + " / " + c.symbolRateText + " / " + std::to_string(c.polarity));
        const TransponderInfoCheck check = CheckTransponderInfo(c.frequencyText, c.symbolRateText, c.polarity);
        EXPECT_EQ(check.ok, c.key == nullptr);
        EXPECT_STREQ(check.message.key, c.key);
        if (c.key != nullptr)
            EXPECT_EQ(check.focus, c.focus);
    }
}

// "N" names from the values, "S" renames for a typed symbol rate, "P" for the
// polarity; anything but polarity 0 is horizontal.
TEST(TransponderNameRules, NamesFromTheValuesAndRenamesKeepTheTypedText)
{
    struct Case {
        const char* name;
        std::int32_t frequency, symbolRate, polarity;
        char rename;
        const char *typed, *result;
    };
    const Case cases[] = {
        {"", 12380, 27500, 1, 'N', "", "12380H/27500"},
        {"", 12380, 27500, 7, 'N', "", "12380H/27500"},
        {"", 12380, 27500, 0, 'N', "", "12380V/27500"},
        {"12380V/27500", 12380, 2750, 0, 'S', "02750", "12380V/02750"},
        {"12380V/27500", 12380, 27500, 1, 'P', "", "12380H/27500"},
        {"12380H/27500", 12380, 27500, 0, 'P', "", "12380V/27500"},
        {"Sky News", 11778, 27500, 0, 'S', "02200", "11778V/02200"},
        {"/27500", 11778, 27500, 1, 'P', "", "11778H/27500"},
    };
    for (const Case& c : cases) {
        TransponderRecord record = *Transponder(c.frequency, c.symbolRate, c.polarity, c.name);
        if (c.rename == 'N')
            NameTransponder(record);
        else if (c.rename == 'S')
            RenameForSymbolRate(record, c.typed);
        else
            RenameForPolarity(record);
        EXPECT_EQ(FieldText(record.name), c.result) << c.name << " " << c.rename;
    }
}
