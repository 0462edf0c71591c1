#include "tuning/CableRules.h"
#include "tuning/ChannelPageRefresh.h"
#include "tuning/TerrestrialRules.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <string>

TEST(CableRules, QamTableWithAutoForUnknownSizes)
{
    const std::int32_t sizes[] = {0, 16, 32, 64, 128, 256};
    for (int index = 0; index < 6; ++index) {
        EXPECT_EQ(QamSizeAt(index), sizes[index]);
        EXPECT_EQ(QamIndexOf(sizes[index]), index);
    }
    EXPECT_EQ(QamIndexOf(48), 0);
    EXPECT_EQ(QamIndexOf(-16), 0);
    EXPECT_EQ(QamSizeAt(6), 0);
    EXPECT_EQ(QamSizeAt(-1), 0);
}

// Field texts committed in turn to one record: cable frequency ("F", 40000 to
// 870000 kHz), cable symbol rate ("S", 0 to 7000) and terrestrial frequency
// ("T", 51000 to 860000, read up to the first non-digit); a refused text
// puts the stored value back.
TEST(ChannelFieldRules, CableAndTerrestrialFieldsTakeValuesInRangeElseTheStoredValue)
{
    struct Case { char field; const char* text; bool replaced; const char* shown; std::int32_t stored; };
    const Case cases[] = {
        {'F', "40000", false, "40000", 40000},     {'F', "870000", false, "870000", 870000},
        {'F', "39999", true, "870000", 870000},    {'F', "870001", true, "870000", 870000},
        {'F', "", true, "870000", 870000},         {'S', "7000", false, "7000", 7000},
        {'S', "0", false, "0", 0},                 {'S', "7001", true, "0", 0},
        {'S', "-1", true, "0", 0},                 {'T', "51000", false, "51000", 51000},
        {'T', "860000", false, "860000", 860000},  {'T', "474000kHz", false, "474000kHz", 474000},
        {'T', "50999", true, "474000", 474000},    {'T', "860001", true, "474000", 474000},
        {'T', "abc", true, "474000", 474000},      {'T', "99999999999999", true, "474000", 474000},
    };
    TransponderRecord tuning = *Transponder(500000, 6900, 64);
    for (const Case& c : cases) {
        const TuningFieldCommit commit = c.field == 'F'   ? CommitCableFrequency(&tuning, c.text)
                                         : c.field == 'S' ? CommitCableSymbolRate(&tuning, c.text)
                                                          : CommitTerrestrialFrequency(&tuning, c.text);
        EXPECT_EQ(commit.replaced, c.replaced) << c.field << " " << c.text;
        EXPECT_EQ(commit.stored, !c.replaced) << c.field << " " << c.text;
        EXPECT_EQ(commit.text, c.shown) << c.field << " " << c.text;
        EXPECT_EQ(c.field == 'S' ? tuning.symbolRate : tuning.frequency, c.stored) << c.field << " " << c.text;
    }
    // Without a record nothing is stored: the defaults come back, and a symbol
    // rate text stays as typed.
    const std::tuple<TuningFieldCommit, const char*, bool> noRecord[] = {
        {CommitCableFrequency(nullptr, "1"), "473000", true}, {CommitCableSymbolRate(nullptr, ""), "6500", true},
        {CommitTerrestrialFrequency(nullptr, "1"), "51000", true}, {CommitCableSymbolRate(nullptr, "5000"), "5000", false}};
    for (const auto& [commit, shown, replaced] : noRecord) {
        EXPECT_EQ(commit.text, shown);
        EXPECT_EQ(commit.replaced, replaced) << shown;
        EXPECT_FALSE(commit.stored) << shown;
    }
}

TEST(TerrestrialRules, BandwidthTableWithAutoForUnknownValues)
{
    const std::int32_t bandwidths[] = {0, 6, 7, 8};
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(BandwidthAt(index), bandwidths[index]);
        EXPECT_EQ(BandwidthIndexOf(bandwidths[index]), index);
    }
    EXPECT_EQ(BandwidthIndexOf(5), 0);
    EXPECT_EQ(BandwidthAt(4), 0);

    TransponderRecord tuning = *Transponder(51000, 5, 0);
    EXPECT_EQ(TerrestrialViewOf(&tuning).bandwidthIndex, 0);
    EXPECT_TRUE(ChooseBandwidth(&tuning, 2));
    EXPECT_EQ(tuning.symbolRate, 7);
    EXPECT_TRUE(ChooseBandwidth(&tuning, 0));
    EXPECT_EQ(tuning.symbolRate, 0);
    EXPECT_FALSE(ChooseBandwidth(nullptr, 1));
}
