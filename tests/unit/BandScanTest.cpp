#include "tuning/BandPlans.h"
#include "tuning/ChannelScan.h"

#include "common/FieldText.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

namespace {

using Frequencies = std::vector<std::int32_t>;

TEST(BandPlansTest, EuropeanRastersHoldTheirChannelsAndNothingElse)
{
    const Frequencies terrestrial = TerrestrialRaster();
    ASSERT_EQ(terrestrial.size(), 57u);
    EXPECT_EQ(Frequencies(terrestrial.begin(), terrestrial.begin() + 9),
              (Frequencies{177500, 184500, 191500, 198500, 205500, 212500, 219500, 226500, 474000}))
        << "VHF channels 5 to 12, then channel 21";
    EXPECT_EQ(terrestrial.back(), 858000) << "channel 69";
    EXPECT_EQ(terrestrial[9] - terrestrial[8], 8000);

    const Frequencies cable = CableRaster();
    ASSERT_EQ(cable.size(), 79u);
    EXPECT_EQ(Frequencies(cable.begin(), cable.begin() + 11),
              (Frequencies{73000, 81000, 113000, 121000, 129000, 137000, 145000, 153000, 161000, 169000, 314000}));
    EXPECT_EQ(cable.back(), 858000);
}

TEST(BandPlansTest, StepFieldTakesWholeMegahertzFromOneToEightOrNothing)
{
    const struct {
        const char* text;
        bool accepted;
        std::optional<int> step;
    } kCases[] = {
        {"", true, std::nullopt},
        {"   ", true, std::nullopt},
        {"1", true, 1},
        {"8", true, 8},
        {" 4 ", true, 4},
        {"0", false, std::nullopt},
        {"9", false, {}},
        {"-1", false, {}},
        {"1.5", false, {}},
        {"4MHz", false, {}},
        {"99999999999", false, {}},
    };
    for (const auto& c : kCases) {
        const ScanStepEntry entry = ReadScanStep(c.text);
        EXPECT_EQ(entry.accepted, c.accepted) << '"' << c.text << '"';
        EXPECT_EQ(entry.stepMHz, c.step) << '"' << c.text << '"';
    }
}

TEST(BandPlansTest, StepPlanCoversThePagesRangeAndARefusedStepNothing)
{
    const Frequencies eight = TerrestrialPlan(ReadScanStep("8"));
    ASSERT_EQ(eight.size(), 102u);   // 51,000 + 101 x 8,000 = 859,000
    EXPECT_EQ(eight.front(), 51000);
    EXPECT_EQ(eight.back(), 859000);
    const Frequencies one = TerrestrialPlan(ReadScanStep("1"));
    ASSERT_EQ(one.size(), 810u);
    EXPECT_EQ(one.back(), 860000) << "the page's highest frequency is tried";
    EXPECT_EQ(TerrestrialPlan(ReadScanStep("")), TerrestrialRaster());
    EXPECT_TRUE(TerrestrialPlan(ReadScanStep("9")).empty());
}

class ChannelScanTest : public testing::Test {
protected:
    void AddChannel(const char* name, std::int32_t frequency, std::int32_t rate, std::int32_t modulation = 0)
    {
        Added(database, Satellite(name, kChannelDegree));
        Added(database, Transponder(frequency, rate, modulation));
    }
    Frequencies Targets(const ChannelScanPlan& plan) const
    {
        Frequencies targets;
        for (const TransponderRecord& target : plan.job.targets)
            targets.push_back(target.frequency);
        return targets;
    }

    CChannelDatabase database;
    void SetUp() override { database.Load(std::string()); }
};

TEST_F(ChannelScanTest, ChannelsOfTheListAreNotTriedAgainNorTheirNeighboursWithinHalfTheirWidth)
{
    AddChannel("Regional", 482000, 8);   // covers 478,001 to 485,999
    AddChannel("Auto", 506000, 0);       // bandwidth not known: 6 MHz
    const ChannelScanPlan plan = PlanChannelScan(database, LockKind::Terrestrial,
                                                 {474000, 478000, 479000, 482000, 485000, 486000, 504000, 503000});
    EXPECT_EQ(Targets(plan), (Frequencies{474000, 478000, 486000, 503000}));
    EXPECT_EQ(plan.alreadyInList, 4u);
    for (const TransponderRecord& target : plan.job.targets)
        EXPECT_EQ(target.symbolRate, 0) << "every target searches its bandwidth";

    // Cable channels are taken as wide as the 8 MHz raster, whatever their symbol rate.
    const ChannelScanPlan cable = PlanChannelScan(database, LockKind::Cable, CableRaster());
    EXPECT_EQ(cable.alreadyInList, 2u) << "482 and 506 MHz";
    EXPECT_EQ(cable.job.targets.size(), 77u);
    EXPECT_EQ(cable.job.kind, LockKind::Cable);
}

TEST_F(ChannelScanTest, FoundChannelsAreNamedByFrequencyHoldWhatLockedAndLeaveTheCursors)
{
    AddChannel("Home", 474000, 8);
    Added(database, Pid(0x100, 2));
    SatelliteRecord* home = database.CurrentSatellite();
    PidRecord* pid = database.CurrentPid();

    const ChannelScanPlan plan = PlanChannelScan(database, LockKind::Terrestrial, {482000, 490000, 498000});
    std::vector<ScanStep> steps(3);
    for (std::size_t i = 0; i < steps.size(); ++i)
        steps[i].index = i;
    steps[0].locked = steps[2].locked = true;
    steps[0].lockedValue = 7;
    steps[2].lockedValue = 8;
    const std::vector<FoundChannel> found = FoundChannels(plan.job, steps);
    ASSERT_EQ(found.size(), 2u);
    const FoundChannelsAdded added = AddFoundChannels(database, kTerrestrialCard, found);
    EXPECT_EQ(added.added, 2u);
    EXPECT_TRUE(added.effects.markSettingsChanged) << "pending until Apply";
    EXPECT_FALSE(added.effects.setTuningChanged);
    EXPECT_EQ(SatelliteNames(database), (std::vector<std::string>{"Home", "482000 kHz", "498000 kHz"}));
    const SatelliteRecord* first = home->next;
    EXPECT_EQ(first->degree, kChannelDegree);
    EXPECT_EQ(first->firstTransponder->frequency, 482000);
    EXPECT_EQ(first->firstTransponder->symbolRate, 7) << "the bandwidth that locked, not Auto";
    EXPECT_EQ(database.CurrentSatellite(), home);
    EXPECT_EQ(database.CurrentPid(), pid);

    // Cable: symbol rate 0, which the card found, and the QAM size that locked.
    AddFoundChannels(database, kCableCard, {{314000, 256}});
    const TransponderRecord* cable = first->next->next->firstTransponder;
    EXPECT_EQ(cable->symbolRate, 0);
    EXPECT_EQ(cable->polarity, 256);

    // A channel of the list with that name already: not added again.
    const FoundChannelsAdded again = AddFoundChannels(database, kTerrestrialCard, {{482000, 8}});
    EXPECT_EQ(again.added, 0u);
    EXPECT_EQ(again.nameTaken, 1u);
    EXPECT_FALSE(again.effects.markSettingsChanged);
}

}   // namespace
