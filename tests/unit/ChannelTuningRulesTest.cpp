#include "tuning/CableRules.h"
#include "tuning/ChannelPageRefresh.h"
#include "tuning/TerrestrialRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TransponderRecord Tuning(std::int32_t frequency, std::int32_t symbolRate, std::int32_t polarity)
{
    TransponderRecord record;
    record.frequency = frequency;
    record.symbolRate = symbolRate;
    record.polarity = polarity;
    return record;
}

void ExpectKept(const TuningFieldCommit& commit, const std::string& text)
{
    EXPECT_FALSE(commit.replaced) << text;
    EXPECT_EQ(commit.text, text);
}

void ExpectReplaced(const TuningFieldCommit& commit, const std::string& text)
{
    EXPECT_TRUE(commit.replaced);
    EXPECT_FALSE(commit.stored);
    EXPECT_EQ(commit.text, text);
}

}  // namespace

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

TEST(CableRules, FrequencyFrom40000To870000ElseTheStoredValue)
{
    TransponderRecord tuning = Tuning(500000, 6900, 64);
    for (const char* text : {"40000", "870000"}) {
        const TuningFieldCommit commit = CommitCableFrequency(&tuning, text);
        ExpectKept(commit, text);
        EXPECT_TRUE(commit.stored);
        EXPECT_EQ(tuning.frequency, std::stoi(text));
    }
    for (const char* text : {"39999", "870001", ""}) {
        SCOPED_TRACE(text);
        ExpectReplaced(CommitCableFrequency(&tuning, text), "870000");
        EXPECT_EQ(tuning.frequency, 870000);
    }
    ExpectReplaced(CommitCableFrequency(nullptr, "1"), "473000");
}

TEST(CableRules, SymbolRateFrom0To7000ElseTheStoredValue)
{
    TransponderRecord tuning = Tuning(500000, 6900, 64);
    ExpectKept(CommitCableSymbolRate(&tuning, "7000"), "7000");
    EXPECT_EQ(tuning.symbolRate, 7000);
    ExpectKept(CommitCableSymbolRate(&tuning, "0"), "0");
    EXPECT_EQ(tuning.symbolRate, 0);
    ExpectReplaced(CommitCableSymbolRate(&tuning, "7001"), "0");
    ExpectReplaced(CommitCableSymbolRate(&tuning, "-1"), "0");
    ExpectReplaced(CommitCableSymbolRate(nullptr, ""), "6500");
    const TuningFieldCommit noRecord = CommitCableSymbolRate(nullptr, "5000");
    ExpectKept(noRecord, "5000");
    EXPECT_FALSE(noRecord.stored);
}

TEST(CableRules, QamChoiceAndView)
{
    TransponderRecord tuning = Tuning(473000, 6500, 48);
    const CablePageView odd = CableViewOf(&tuning);
    EXPECT_TRUE(odd.shown);
    EXPECT_EQ(odd.qamIndex, 0);
    EXPECT_EQ(odd.frequencyText, "473000");
    EXPECT_EQ(odd.symbolRateText, "6500");

    EXPECT_TRUE(ChooseQam(&tuning, 4));
    EXPECT_EQ(tuning.polarity, 128);
    EXPECT_EQ(CableViewOf(&tuning).qamIndex, 4);
    EXPECT_TRUE(ChooseQam(&tuning, 0));
    EXPECT_EQ(tuning.polarity, 0);
    EXPECT_FALSE(ChooseQam(nullptr, 2));
    EXPECT_FALSE(ChooseQam(&tuning, -1));
    EXPECT_EQ(tuning.polarity, 0);
    EXPECT_FALSE(CableViewOf(nullptr).shown);
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

    TransponderRecord tuning = Tuning(51000, 5, 0);
    EXPECT_EQ(TerrestrialViewOf(&tuning).bandwidthIndex, 0);
    EXPECT_TRUE(ChooseBandwidth(&tuning, 2));
    EXPECT_EQ(tuning.symbolRate, 7);
    EXPECT_TRUE(ChooseBandwidth(&tuning, 0));
    EXPECT_EQ(tuning.symbolRate, 0);
    EXPECT_FALSE(ChooseBandwidth(nullptr, 1));
}

TEST(TerrestrialRules, FrequencyFrom51000To860000ReadUpToTheFirstNonDigit)
{
    TransponderRecord tuning = Tuning(600000, 8, 0);
    ExpectKept(CommitTerrestrialFrequency(&tuning, "51000"), "51000");
    ExpectKept(CommitTerrestrialFrequency(&tuning, "860000"), "860000");
    EXPECT_EQ(tuning.frequency, 860000);

    const TuningFieldCommit trailing = CommitTerrestrialFrequency(&tuning, "474000kHz");
    ExpectKept(trailing, "474000kHz");
    EXPECT_EQ(tuning.frequency, 474000);

    for (const char* text : {"50999", "860001", "", "abc", "99999999999999"}) {
        SCOPED_TRACE(text);
        ExpectReplaced(CommitTerrestrialFrequency(&tuning, text), "474000");
        EXPECT_EQ(tuning.frequency, 474000);
    }
    ExpectReplaced(CommitTerrestrialFrequency(nullptr, "1"), "51000");
}

TEST(ChannelPageRefreshRules, AChannelWithoutTuningGetsTheDefaults)
{
    CChannelDatabase cable;
    cable.Load("");
    EXPECT_FALSE(RefreshCablePage(&cable).shown);  // no channel
    cable.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    const CablePageView view = RefreshCablePage(&cable);
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(view.frequencyText, "473000");
    EXPECT_EQ(view.symbolRateText, "6500");
    EXPECT_EQ(view.qamIndex, 1);
    EXPECT_EQ(cable.CurrentSatellite()->transponderCount, 1);
    RefreshCablePage(&cable);
    EXPECT_EQ(cable.CurrentSatellite()->transponderCount, 1);

    CChannelDatabase terrestrial;
    terrestrial.Load("");
    terrestrial.AddSatellite(std::make_unique<SatelliteRecord>(), 1);
    const TerrestrialPageView dtt = RefreshTerrestrialPage(&terrestrial);
    EXPECT_EQ(dtt.frequencyText, "51000");
    EXPECT_EQ(dtt.bandwidthIndex, 1);
    EXPECT_EQ(terrestrial.CurrentTransponder()->symbolRate, 6);
    EXPECT_FALSE(RefreshTerrestrialPage(nullptr).shown);
}
