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

TEST(SatelliteInfoRules, NameIsCheckedBeforeDegree)
{
    ExpectRefused(CheckSatelliteInfo("   ", "", false), "String40", "Satellite name can`t be empty",
                  SatelliteInfoField::Name);
    ExpectRefused(CheckSatelliteInfo("", "9999", false), "String40", "Satellite name can`t be empty",
                  SatelliteInfoField::Name);
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

TEST(SatelliteInfoRules, PastedDegreeTextOtherThanDigitsIsRefused)
{
    for (const char* text : {"-1", "12a", " 12", "+5", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        ExpectRefused(CheckSatelliteInfo("Astra", text, false), "String14", "Degree value must be 0--3600.",
                      SatelliteInfoField::Degree);
    }
}

TEST(SatelliteInfoRules, ChannelModeAsksOnlyForTheName)
{
    EXPECT_TRUE(CheckSatelliteInfo("News", "", true).ok);
    EXPECT_TRUE(CheckSatelliteInfo("News", "9999", true).ok);
}

TEST(SatelliteInfoRules, DegreeTextRoundTrip)
{
    EXPECT_EQ(SatelliteDegreeFromText(""), 0);
    EXPECT_EQ(SatelliteDegreeFromText("0192"), 192);
    EXPECT_EQ(SatelliteDegreeFromText("3600"), 3600);
    EXPECT_EQ(SatelliteDegreeText(3600), "3600");
    EXPECT_EQ(SatelliteDegreeText(-5), "-5");
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

TEST(DecimalTextRules, LeadingNumberReadsLikeAtolWithoutOverflow)
{
    EXPECT_EQ(ReadLeadingNumber("51000ab"), 51000);
    EXPECT_EQ(ReadLeadingNumber("  -42x"), -42);
    EXPECT_EQ(ReadLeadingNumber("+7"), 7);
    EXPECT_EQ(ReadLeadingNumber("Auto"), 0);
    EXPECT_EQ(ReadLeadingNumber(""), 0);
    EXPECT_EQ(ReadLeadingNumber("99999999999999999999"), 2147483647);
    EXPECT_EQ(ReadLeadingNumber("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(FormatUnsigned(-1), "4294967295");
}
