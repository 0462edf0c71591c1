#include "common/FieldText.h"
#include "tuning/TransponderInfoRules.h"
#include "tuning/TransponderRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A loaded database with one current satellite and, on request, transponders.
class TransponderRules : public testing::Test {
protected:
    CChannelDatabase database;

    void SetUp() override
    {
        database.Load("");
        auto satellite = std::make_unique<SatelliteRecord>();
        SetFieldText(satellite->name, "Astra");
        database.AddSatellite(std::move(satellite), 1);
    }

    TransponderRecord* Add(std::int32_t frequency, std::int32_t symbolRate, std::int32_t polarity)
    {
        const TransponderEditResult result = CreateTransponder(database, static_cast<std::uint32_t>(frequency),
                                                               static_cast<std::uint32_t>(symbolRate), polarity);
        EXPECT_EQ(result.outcome, TransponderEditOutcome::Added);
        return database.CurrentTransponder();
    }

    std::string CurrentName() const { return std::string(FieldText(database.CurrentTransponder()->name)); }
};

void ExpectDatabaseChanged(const MainDialogEffects& effects)
{
    EXPECT_TRUE(effects.setTuningChanged);
    EXPECT_TRUE(effects.refreshPages);
    EXPECT_TRUE(effects.markSettingsChanged);
}

void ExpectNoEffects(const MainDialogEffects& effects)
{
    EXPECT_FALSE(effects.setTuningChanged);
    EXPECT_FALSE(effects.refreshPages);
    EXPECT_FALSE(effects.markSettingsChanged);
}

}  // namespace

TEST_F(TransponderRules, NewTransponderIsNamedAppendedAndCurrent)
{
    Add(12380, 27500, 0);
    const TransponderEditResult result = CreateTransponder(database, 10714, 22000, 1);
    EXPECT_EQ(result.outcome, TransponderEditOutcome::Added);
    ExpectDatabaseChanged(result.effects);
    EXPECT_EQ(CurrentName(), "10714H/22000");
    EXPECT_EQ(database.CurrentSatellite()->transponderCount, 2);
    EXPECT_EQ(database.CurrentSatellite()->firstTransponder->next, database.CurrentTransponder());
}

TEST_F(TransponderRules, NewTransponderDuplicatesAreSameValuesNotSameName)
{
    Add(12380, 27500, 0);
    const TransponderEditResult again = CreateTransponder(database, 12380, 27500, 0);
    EXPECT_EQ(again.outcome, TransponderEditOutcome::Duplicate);
    EXPECT_STREQ(again.error.key, "String1");
    EXPECT_STREQ(again.error.english, "This transponder already exist.");
    ExpectNoEffects(again.effects);

    EXPECT_EQ(CreateTransponder(database, 12380, 27500, 1).outcome, TransponderEditOutcome::Added);
    EXPECT_EQ(database.CurrentSatellite()->transponderCount, 2);
}

TEST_F(TransponderRules, NewTransponderOutsideTheRangesIsRefused)
{
    EXPECT_EQ(CreateTransponder(database, 949, 27500, 0).outcome, TransponderEditOutcome::Invalid);
    EXPECT_EQ(CreateTransponder(database, 12380, 45001, 0).outcome, TransponderEditOutcome::Invalid);
    EXPECT_EQ(database.CurrentSatellite()->transponderCount, 0);

    database.SelectSatellite(nullptr);
    EXPECT_EQ(CreateTransponder(database, 12380, 27500, 0).outcome, TransponderEditOutcome::NothingDone);
}

TEST_F(TransponderRules, FrequencyEditAcceptsOnly950To14000AndRestoresSilently)
{
    Add(12380, 27500, 0);
    for (const char* text : {"949", "14001", "", "12a8", "99999"}) {
        SCOPED_TRACE(text);
        const TransponderEditResult result = EditTransponderFrequency(database, text);
        EXPECT_EQ(result.outcome, TransponderEditOutcome::Restored);
        EXPECT_EQ(result.text, "12380");
        EXPECT_TRUE(result.error.IsEmpty());
        ExpectNoEffects(result.effects);
        EXPECT_EQ(database.CurrentTransponder()->frequency, 12380);
    }
    for (std::int32_t frequency : {950, 14000}) {
        const TransponderEditResult result = EditTransponderFrequency(database, std::to_string(frequency));
        EXPECT_EQ(result.outcome, TransponderEditOutcome::Changed);
        EXPECT_EQ(database.CurrentTransponder()->frequency, frequency);
        EXPECT_EQ(CurrentName(), std::to_string(frequency) + "V/27500");
        ExpectDatabaseChanged(result.effects);
    }
}

TEST_F(TransponderRules, FrequencyEditOfTheSameValueChangesNothing)
{
    Add(950, 27500, 0);
    const TransponderEditResult same = EditTransponderFrequency(database, "950");
    EXPECT_EQ(same.outcome, TransponderEditOutcome::Unchanged);
    ExpectNoEffects(same.effects);

    const TransponderEditResult leadingZero = EditTransponderFrequency(database, "0950");
    EXPECT_EQ(leadingZero.outcome, TransponderEditOutcome::Unchanged);
    EXPECT_EQ(leadingZero.text, "950");
    EXPECT_TRUE(leadingZero.error.IsEmpty());
}

TEST_F(TransponderRules, FrequencyEditOntoAnotherTransponderIsRefusedWithMessage)
{
    Add(11000, 27500, 0);
    Add(12000, 27500, 0);
    const TransponderEditResult result = EditTransponderFrequency(database, "11000");
    EXPECT_EQ(result.outcome, TransponderEditOutcome::Duplicate);
    EXPECT_STREQ(result.error.key, "String1");
    EXPECT_EQ(result.text, "12000");
    EXPECT_EQ(database.CurrentTransponder()->frequency, 12000);
}

TEST_F(TransponderRules, SymbolRateEditKeepsTheTypedTextInTheName)
{
    Add(12380, 27500, 0);
    const TransponderEditResult result = EditTransponderSymbolRate(database, "02750");
    EXPECT_EQ(result.outcome, TransponderEditOutcome::Changed);
    EXPECT_EQ(result.text, "02750");
    EXPECT_EQ(database.CurrentTransponder()->symbolRate, 2750);
    EXPECT_EQ(CurrentName(), "12380V/02750");
    ExpectDatabaseChanged(result.effects);

    EXPECT_EQ(EditTransponderSymbolRate(database, "900").outcome, TransponderEditOutcome::Changed);
    EXPECT_EQ(EditTransponderSymbolRate(database, "45000").outcome, TransponderEditOutcome::Changed);
    EXPECT_EQ(CurrentName(), "12380V/45000");
}

TEST_F(TransponderRules, SymbolRateEditRestoresBadAndClashingEntriesSilently)
{
    Add(12380, 22000, 0);
    Add(12380, 27500, 0);
    for (const char* text : {"899", "45001", "", "22000"}) {
        SCOPED_TRACE(text);
        const TransponderEditResult result = EditTransponderSymbolRate(database, text);
        EXPECT_EQ(result.outcome, TransponderEditOutcome::Restored);
        EXPECT_EQ(result.text, "27500");
        EXPECT_TRUE(result.error.IsEmpty());
        ExpectNoEffects(result.effects);
    }
    EXPECT_EQ(database.CurrentTransponder()->symbolRate, 27500);
    EXPECT_EQ(CurrentName(), "12380V/27500");

    const TransponderEditResult itself = EditTransponderSymbolRate(database, "27500");
    EXPECT_EQ(itself.outcome, TransponderEditOutcome::Unchanged);
    ExpectNoEffects(itself.effects);
}

TEST_F(TransponderRules, PolarityEditRenamesOrIsUndone)
{
    Add(12380, 27500, 0);
    const TransponderEditResult result = EditTransponderPolarity(database, 1);
    EXPECT_EQ(result.outcome, TransponderEditOutcome::Changed);
    EXPECT_EQ(result.polarity, 1);
    EXPECT_EQ(database.CurrentTransponder()->polarity, 1);
    EXPECT_EQ(CurrentName(), "12380H/27500");
    ExpectDatabaseChanged(result.effects);

    EXPECT_EQ(EditTransponderPolarity(database, 1).outcome, TransponderEditOutcome::Unchanged);

    Add(12380, 27500, 0);  // the vertical twin, now current
    const TransponderEditResult clash = EditTransponderPolarity(database, 1);
    EXPECT_EQ(clash.outcome, TransponderEditOutcome::Restored);
    EXPECT_EQ(clash.polarity, 0);
    EXPECT_EQ(database.CurrentTransponder()->polarity, 0);
    ExpectNoEffects(clash.effects);
}

TEST_F(TransponderRules, EditsNeedACurrentTransponder)
{
    EXPECT_EQ(EditTransponderFrequency(database, "12000").outcome, TransponderEditOutcome::NothingDone);
    EXPECT_EQ(EditTransponderSymbolRate(database, "27500").outcome, TransponderEditOutcome::NothingDone);
    EXPECT_EQ(EditTransponderPolarity(database, 1).outcome, TransponderEditOutcome::NothingDone);
    EXPECT_EQ(RemoveCurrentTransponder(database).outcome, TransponderEditOutcome::NothingDone);
}

TEST_F(TransponderRules, RemoveAndChoose)
{
    TransponderRecord* first = Add(11000, 27500, 0);
    Add(12000, 27500, 1);
    EXPECT_STREQ(RemoveTransponderQuestion().key, "String27");
    EXPECT_STREQ(RemoveTransponderQuestion().english, "Are you sure to remove the current transponder?");

    const TransponderEditResult removed = RemoveCurrentTransponder(database);
    EXPECT_EQ(removed.outcome, TransponderEditOutcome::Removed);
    ExpectDatabaseChanged(removed.effects);
    EXPECT_EQ(database.CurrentSatellite()->transponderCount, 1);
    EXPECT_EQ(database.CurrentTransponder(), first);

    const MainDialogEffects same = ChooseTransponder(database, first);
    EXPECT_FALSE(same.setTuningChanged);
    EXPECT_TRUE(same.markSettingsChanged);
    TransponderRecord* other = Add(12500, 27500, 0);
    database.SelectTransponder(first);
    EXPECT_TRUE(ChooseTransponder(database, other).setTuningChanged);
    EXPECT_EQ(database.CurrentTransponder(), other);
    ExpectNoEffects(ChooseTransponder(database, nullptr));
}
