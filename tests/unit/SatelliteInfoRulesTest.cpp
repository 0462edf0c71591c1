#include "common/DecimalText.h"
#include "database/SatelliteInfoRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectRefused(const SatelliteInfoCheck& check, const char* key, const char* english, SatelliteInfoField focus)
{
    EXPECT_FALSE(check.ok);
    ASSERT_NE(check.message.key, nullptr);
    EXPECT_STREQ(check.message.key, key);
    EXPECT_STREQ(check.message.english, english);
    EXPECT_EQ(check.focus, focus);
}

}  // namespace

TEST(SatelliteInfoRules, NameMustHoldMoreThanBlanks)
{
    ExpectRefused(CheckSatelliteInfo("", "192", false), "String40", "Satellite name can`t be empty",
                  SatelliteInfoField::Name);
    ExpectRefused(CheckSatelliteInfo("   ", "192", false), "String40", "Satellite name can`t be empty",
                  SatelliteInfoField::Name);
    ExpectRefused(CheckSatelliteInfo(" \t ", "", true), "String40", "Satellite name can`t be empty",
                  SatelliteInfoField::Name);
    EXPECT_TRUE(CheckSatelliteInfo("  Astra", "192", false).ok);
    EXPECT_TRUE(CheckSatelliteInfo("Astra ", "192", false).ok);
}

TEST(SatelliteInfoRules, DegreeFromZeroTo3600)
{
    EXPECT_TRUE(CheckSatelliteInfo("Astra", "0", false).ok);
    EXPECT_TRUE(CheckSatelliteInfo("Astra", "3600", false).ok);
    ExpectRefused(CheckSatelliteInfo("Astra", "3601", false), "String14", "Degree value must be 0--3600.",
                  SatelliteInfoField::Degree);
    ExpectRefused(CheckSatelliteInfo("Astra", "9999", false), "String14", "Degree value must be 0--3600.",
                  SatelliteInfoField::Degree);
    ExpectRefused(CheckSatelliteInfo("Astra", "", false), "String41", " Satellite degree value can`t be empty",
                  SatelliteInfoField::Degree);
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
}
