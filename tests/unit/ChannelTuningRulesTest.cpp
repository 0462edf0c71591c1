#include "tuning/CableRules.h"
#include "tuning/ChannelPageRefresh.h"
#include "tuning/TerrestrialRules.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <string>

// The combo boxes' items: "Auto" first, and for values they do not hold.
TEST(ChannelListRules, QamSizesAndBandwidthsWithAutoForUnknownValues)
{
    const std::int32_t sizes[] = {0, 16, 32, 64, 128, 256}, bandwidths[] = {0, 6, 7, 8};
    for (int index = 0; index < 6; ++index)
        EXPECT_TRUE(QamSizeAt(index) == sizes[index] && QamIndexOf(sizes[index]) == index) << index;
    for (int index = 0; index < 4; ++index)
        EXPECT_TRUE(BandwidthAt(index) == bandwidths[index] && BandwidthIndexOf(bandwidths[index]) == index) << index;
    EXPECT_EQ((std::vector<int>{QamIndexOf(48), QamIndexOf(-16), QamSizeAt(6), QamSizeAt(-1), BandwidthIndexOf(5),
                                BandwidthAt(4)}),
              std::vector<int>(6, 0));
}

// Field texts committed in turn to one record: cable frequency ("F", 40000 to
// 870000 kHz), cable symbol rate ("S", 0 to 7000) and terrestrial frequency
// ("T", 51000 to 860000, read up to the first non-digit); a refused text
// puts the stored value back.
TEST(ChannelFieldRules, CableAndTerrestrialFieldsTakeValuesInRangeElseTheStoredValue)
{
    struct Case {
        char field;
        const char* text;
        bool replaced;
        const char* shown;
        std::int32_t stored;
    };
    const Case cases[] = {
        {'F', "40000", false, "40000", 40000},
        {'F', "870000", false, "870000", 870000},
        {'F', "39999", true, "870000", 870000},
        {'F', "870001", true, "870000", 870000},
        {'F', "", true, "870000", 870000},
        {'S', "7000", false, "7000", 7000},
        {'S', "0", false, "0", 0},
        {'S', "7001", true, "0", 0},
        {'S', "-1", true, "0", 0},
        {'T', "51000", false, "51000", 51000},
        {'T', "860000", false, "860000", 860000},
        {'T', "474000kHz", false, "474000kHz", 474000},
        {'T', "50999", true, "474000", 474000},
        {'T', "860001", true, "474000", 474000},
        {'T', "abc", true, "474000", 474000},
        {'T', "99999999999999", true, "474000", 474000},
    };
    TransponderRecord tuning = *Transponder(500000, 6900, 64);
    for (const Case& c : cases) {
        const TuningFieldCommit commit = c.field == 'F'   ? CommitCableFrequency(&tuning, c.text)
                                         : c.field == 'S' ? CommitCableSymbolRate(&tuning, c.text)
                                                          : CommitTerrestrialFrequency(&tuning, c.text);
        SCOPED_TRACE(std::string(1, c.field) + " " + c.text);
        EXPECT_TRUE(commit.replaced == c.replaced && commit.stored == !c.replaced && commit.text == c.shown);
        EXPECT_EQ(c.field == 'S' ? tuning.symbolRate : tuning.frequency, c.stored);
    }
    // Without a record nothing is stored: the defaults come back, and a symbol
    // rate text stays as typed.
    const std::tuple<TuningFieldCommit, const char*, bool> noRecord[] = {
        {CommitCableFrequency(nullptr, "1"), "473000", true},
        {CommitCableSymbolRate(nullptr, ""), "6500", true},
        {CommitTerrestrialFrequency(nullptr, "1"), "51000", true},
        {CommitCableSymbolRate(nullptr, "5000"), "5000", false}};
    for (const auto& [commit, shown, replaced] : noRecord)
        EXPECT_TRUE(commit.text == shown && commit.replaced == replaced && !commit.stored) << shown;
}

TEST(TerrestrialRules, BandwidthChoiceIsStoredAsTheSymbolRate)
{
    TransponderRecord tuning = *Transponder(51000, 5, 0);
    EXPECT_EQ(TerrestrialViewOf(&tuning).bandwidthIndex, 0);
    EXPECT_TRUE(ChooseBandwidth(&tuning, 2));
    EXPECT_EQ(tuning.symbolRate, 7);
    EXPECT_TRUE(ChooseBandwidth(&tuning, 0));
    EXPECT_EQ(tuning.symbolRate, 0);
    EXPECT_FALSE(ChooseBandwidth(nullptr, 1));
}
