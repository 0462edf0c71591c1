#include "tuning/LnbRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SatelliteRecord NewSatellite()
{
    SatelliteRecord satellite;
    satellite.lnbPower = 1;
    satellite.lnbType = kLnbTypeUniversal;
    return satellite;
}

std::pair<std::int32_t, std::int32_t> Pair(const SatelliteRecord& satellite)
{
    return {satellite.lnbFreq1, satellite.lnbFreq2};
}

}   // namespace

TEST(LnbRules, RefreshOfANewSatelliteWritesTheUniversalPair)
{
    SatelliteRecord satellite = NewSatellite();
    const LnbPageView view = RefreshLnbPage(&satellite);
    EXPECT_EQ((std::vector<int>{view.dishType, view.lnbType, view.diseqcPort, view.lnbPower, view.tone22k}),
              (std::vector<int>{kDishFixed, kLnbTypeUniversal, 0, 1, 0}));
    EXPECT_FALSE(view.frequencyEditsEnabled);
    EXPECT_EQ(view.frequency1Text + "/" + view.frequency2Text, "9750/10600");
    EXPECT_EQ(Pair(satellite), std::pair(9750, 10600));
}

// The pair a satellite holds after choosing an LNB type: a fixed type writes
// its pair, custom starts from 11300/0 unless the pair held is a typed one.
TEST(LnbRules, TypeChoiceWritesThePair)
{
    struct Case {
        std::int32_t frequency1, frequency2;
        int type;
        std::int32_t result1, result2;
        bool editable;
    };
    const Case cases[] = {
        {0, 0, kLnbTypeCustom, 11300, 0, true},
        {5150, 5750, kLnbTypeCustom, 11300, 0, true},
        {9750, 10600, kLnbTypeCustom, 11300, 0, true},
        {10000, 10750, kLnbTypeCustom, 10000, 10750, true},
        {10000, 10750, kLnbTypeNormal, 5150, 5750, false},
        {0, 0, kLnbTypeUniversal, 9750, 10600, false},
    };
    for (const Case& c : cases) {
        SatelliteRecord satellite = NewSatellite();
        satellite.lnbFreq1 = c.frequency1;
        satellite.lnbFreq2 = c.frequency2;
        const LnbTypeChoice choice = ChooseLnbType(&satellite, c.type);
        SCOPED_TRACE(std::to_string(c.frequency1) + " to type " + std::to_string(c.type));
        EXPECT_TRUE(choice.applied && choice.effects.markSettingsChanged && !choice.effects.setTuningChanged);
        EXPECT_EQ(choice.frequencyEditsEnabled, c.editable);
        EXPECT_EQ(choice.frequency1Text, std::to_string(c.result1));
        EXPECT_EQ(satellite.lnbType, c.type);
        EXPECT_EQ(Pair(satellite), std::pair(c.result1, c.result2));
    }
    EXPECT_FALSE(ChooseLnbType(nullptr, kLnbTypeCustom).applied);
    SatelliteRecord satellite = NewSatellite();
    EXPECT_FALSE(ChooseLnbType(&satellite, -1).effects.markSettingsChanged) << "no item chosen";
}

TEST(LnbRules, FrequencyEditStoresTheNumberShown)
{
    SatelliteRecord satellite = NewSatellite();
    satellite.lnbType = kLnbTypeCustom;
    const LnbFrequencyEdit typed = EditLnbFrequency(&satellite, LnbFrequencyField::Second, "1075", "10750");
    EXPECT_TRUE(!typed.textReplaced && typed.effects.markSettingsChanged);
    EXPECT_EQ(satellite.lnbFreq2, 10750);

    const LnbFrequencyEdit cleared = EditLnbFrequency(&satellite, LnbFrequencyField::First, "1", "");
    EXPECT_TRUE(cleared.textReplaced && cleared.text == "0");
    satellite.lnbFreq1 = 5;
    EditLnbFrequency(&satellite, LnbFrequencyField::First, "5", "");
    EXPECT_EQ(satellite.lnbFreq1, 0);
}
