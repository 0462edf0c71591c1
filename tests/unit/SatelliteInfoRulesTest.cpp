#include "common/DecimalText.h"
#include "database/SatelliteInfoRules.h"

#include <gtest/gtest.h>

// The name must hold more than blanks; a satellite's degree, not a channel's,
// must be a number from 0 to 3600. The message key and the field focused.
TEST(SatelliteInfoRules, NameThenDegreeFromZeroTo3600)
{
    using F = SatelliteInfoField;
    struct Case {
        const char *name, *degree;
        bool channel;
        const char* key;
        F focus;
    };
    const Case cases[] = {
        {"", "192", false, "String40", F::Name},     {"   ", "192", false, "String40", F::Name},
        {" \t ", "", true, "String40", F::Name},     {"  Astra", "0", false, nullptr, F::None},
        {"Astra ", "3600", false, nullptr, F::None}, {"Astra", "3601", false, "String14", F::Degree},
        {"Astra", "", false, "String41", F::Degree}, {"News", "", true, nullptr, F::None},
    };
    for (const Case& c : cases) {
        const SatelliteInfoCheck check = CheckSatelliteInfo(c.name, c.degree, c.channel);
        EXPECT_EQ(check.ok, c.key == nullptr) << '"' << c.name << "\" " << c.degree;
        EXPECT_STREQ(check.message.key, c.key) << '"' << c.name << "\" " << c.degree;
        if (c.key != nullptr)
            EXPECT_EQ(check.focus, c.focus) << '"' << c.name << "\" " << c.degree;
    }
}

TEST(DecimalTextRules, DigitsOnlyReaderRefusesAnythingElseAndSaturates)
{
    EXPECT_EQ(ParseDigits("0"), 0u);
    EXPECT_EQ(ParseDigits("02750"), 2750u);
    EXPECT_FALSE(ParseDigits(""));
    EXPECT_FALSE(ParseDigits("12 "));
    EXPECT_FALSE(ParseDigits("-1"));
    EXPECT_EQ(ParseDigits("4294967295"), 4294967295u);
    EXPECT_EQ(ParseDigits("99999999999999999999999"), 4294967295u);
    EXPECT_EQ(ParseDigits64("18446744073709551615"), 18446744073709551615u);
    EXPECT_EQ(ParseDigits64("18446744073709551616"), 18446744073709551615u) << "saturates, never wraps";
}
