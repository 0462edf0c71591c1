#include "common/FieldText.h"
#include "database/SatelliteListRules.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// A loaded, empty database (loading creates the root even without a file).
class SatelliteListRules : public testing::Test {
protected:
    SatelliteListRules() { database.Load(""); }

    SatelliteRecord* AddSatellite(const char* name, std::int32_t degree)
    {
        return Added(database, Satellite(name, degree));
    }
    TransponderRecord* AddTransponder(std::int32_t frequency)
    {
        return Added(database, Transponder(frequency, 27500, 0));
    }
    CChannelDatabase database;
};

void ExpectEffects(const MainDialogEffects& effects, bool tuning, bool refresh, bool settings)
{
    EXPECT_EQ(std::tuple(effects.setTuningChanged, effects.refreshPages, effects.markSettingsChanged),
              std::tuple(tuning, refresh, settings));
}

}   // namespace

TEST_F(SatelliteListRules, NewSatelliteIsAppendedCurrentWithPowerAndUniversalLnb)
{
    AddSatellite("Hotbird", 130);
    const SatelliteEditResult result = CreateSatellite(database, "Astra", 192, kSatelliteCard);
    ASSERT_EQ(result.outcome, SatelliteEditOutcome::Added);
    EXPECT_EQ(database.CurrentSatellite(), result.record);
    EXPECT_EQ(SatelliteNames(database), (std::vector<std::string>{"Hotbird", "Astra"}));
    const SatelliteRecord& r = *result.record;
    EXPECT_EQ(
        std::vector<std::int32_t>({r.degree, r.lnbPower, r.lnbType, r.dishType, r.diseqcPort, r.tone22k, r.lnbFreq1}),
        std::vector<std::int32_t>({192, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(result.savedDegree, 192);
    ExpectEffects(result.effects, true, true, true);

    const SatelliteEditResult cut = CreateSatellite(database, std::string(40, 'x'), 10, kSatelliteCard);
    EXPECT_EQ(FieldText(cut.record->name), std::string(31, 'x')) << "cut to its field";
}

// Name, degree and card in turn on a database holding "Astra" at 192; the
// outcome and the message key of a refusal.
TEST_F(SatelliteListRules, NewRefusesDuplicatesAndWhatTheDialogRefuses)
{
    AddSatellite("Astra", 192);
    struct Case {
        const char* name;
        std::int32_t degree;
        int card;
        SatelliteEditOutcome outcome;
        const char* key;
    };
    const Case cases[] = {
        {"ASTRA", 192, kSatelliteCard, SatelliteEditOutcome::Duplicate, "String19"},
        {"ASTRA", 235, kSatelliteCard, SatelliteEditOutcome::Added, nullptr},
        {"   ", 10, kSatelliteCard, SatelliteEditOutcome::Invalid, "String40"},
        {"Thor", 3601, kSatelliteCard, SatelliteEditOutcome::Invalid, "String14"},
        {"News", 42, kCableCard, SatelliteEditOutcome::Added, nullptr},
        {"news", 7, kCableCard, SatelliteEditOutcome::Duplicate, "String30"},
    };
    for (const Case& c : cases) {
        const SatelliteEditResult result = CreateSatellite(database, c.name, c.degree, c.card);
        EXPECT_EQ(result.outcome, c.outcome) << c.name << " " << c.degree;
        EXPECT_STREQ(result.error.key, c.key) << c.name << " " << c.degree;
    }
    EXPECT_EQ(database.CurrentSatellite()->degree, 3600) << "channels all have degree 3600";
    CChannelDatabase neverLoaded;
    EXPECT_EQ(CreateSatellite(neverLoaded, "Astra", 192, kSatelliteCard).outcome, SatelliteEditOutcome::NothingDone);

    const AnsiCaseComparison exact = [](std::string_view x, std::string_view y) { return x == y; };
    EXPECT_EQ(CreateSatellite(database, "astra", 192, kSatelliteCard, exact).outcome, SatelliteEditOutcome::Added)
        << "the comparison it is given decides";
}

TEST_F(SatelliteListRules, RemoveTakesTheCurrentSatelliteAndSelectsTheFirst)
{
    AddSatellite("Astra", 192);
    AddSatellite("Hotbird", 130);
    AddTransponder(11000);
    AddSatellite("Thor", 3592);
    database.SelectSatellite(database.Root()->firstSatellite->next);

    const SatelliteEditResult result = RemoveCurrentSatellite(database, kSatelliteCard);
    EXPECT_EQ(result.outcome, SatelliteEditOutcome::Removed);
    ExpectEffects(result.effects, true, true, true);
    EXPECT_EQ(SatelliteNames(database), (std::vector<std::string>{"Astra", "Thor"}));
    EXPECT_EQ(FieldText(database.CurrentSatellite()->name), "Astra");
    EXPECT_EQ(std::string(RemoveSatelliteQuestion(kSatelliteCard).key) + RemoveSatelliteQuestion(kCableCard).key,
              "String20String31");
}

TEST_F(SatelliteListRules, ChoosingAnotherSatelliteChangesTheTuning)
{
    SatelliteRecord* astra = AddSatellite("Astra", 192);
    AddTransponder(11000);
    TransponderRecord* second = AddTransponder(12000);
    SatelliteRecord* hotbird = AddSatellite("Hotbird", 130);

    ExpectEffects(ChooseSatellite(database, "Astra", astra), true, true, true);
    EXPECT_EQ(database.CurrentSatellite(), astra);

    // The same satellite with its first transponder current: the tuning stays.
    ExpectEffects(ChooseSatellite(database, "Astra", astra), false, true, true);

    // Choosing it again moves the transponder cursor back to the first one.
    database.SelectTransponder(second);
    ExpectEffects(ChooseSatellite(database, "Astra", astra), true, true, true);
    EXPECT_NE(database.CurrentTransponder(), second);

    ExpectEffects(ChooseSatellite(database, "", hotbird), false, false, false);
    SatelliteRecord stranger;
    SetFieldText(stranger.name, "Thor");
    ExpectEffects(ChooseSatellite(database, "Thor", &stranger), false, false, false);
    EXPECT_EQ(database.CurrentSatellite(), astra);
}

TEST_F(SatelliteListRules, ChangeAppliesANewLetterCaseAndRefusesTheNameOfAnotherSatellite)
{
    SatelliteRecord* astra = AddSatellite("astra", 192);
    AddSatellite("Hotbird", 130);
    database.SelectSatellite(astra);
    const SatelliteEditResult recased = ChangeSatellite(database, "Astra", 192, kSatelliteCard);
    EXPECT_EQ(recased.outcome, SatelliteEditOutcome::Changed);
    ExpectEffects(recased.effects, false, true, true);
    EXPECT_EQ(ChangeSatellite(database, "Astra", 192, kSatelliteCard).outcome, SatelliteEditOutcome::Unchanged);
    EXPECT_STREQ(ChangeSatellite(database, "HOTBIRD", 130, kSatelliteCard).error.key, "String19");
    // A file may hold two names that differ only in letter case: the other one still counts.
    AddSatellite("ASTRA", 192);
    database.SelectSatellite(astra);
    EXPECT_EQ(ChangeSatellite(database, "astra", 192, kSatelliteCard).outcome, SatelliteEditOutcome::Duplicate);
    EXPECT_EQ(SatelliteNames(database), (std::vector<std::string>{"Astra", "Hotbird", "ASTRA"}));
}
