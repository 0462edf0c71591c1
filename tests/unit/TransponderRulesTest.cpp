#include "common/FieldText.h"
#include "tuning/TransponderInfoRules.h"
#include "tuning/TransponderRules.h"
#include "tests/unit/TestKit.h"

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
        Added(database, Satellite("Astra", 192));
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

}   // namespace

TEST_F(TransponderRules, NewTransponderIsNamedAppendedAndCurrent)
{
    Add(12380, 27500, 0);
    const TransponderEditResult result = CreateTransponder(database, 10714, 22000, 1);
    EXPECT_EQ(result.outcome, TransponderEditOutcome::Added);
    EXPECT_TRUE(result.effects.setTuningChanged && result.effects.refreshPages && result.effects.markSettingsChanged);
    EXPECT_EQ(CurrentName(), "10714H/22000");
    EXPECT_EQ(database.CurrentSatellite()->transponderCount, 2);
    EXPECT_EQ(database.CurrentSatellite()->firstTransponder->next, database.CurrentTransponder());
}

TEST_F(TransponderRules, NewTransponderOutsideTheRangesIsRefused)
{
    EXPECT_EQ(CreateTransponder(database, 949, 27500, 0).outcome, TransponderEditOutcome::Invalid);
    EXPECT_EQ(CreateTransponder(database, 12380, 45001, 0).outcome, TransponderEditOutcome::Invalid);
    EXPECT_EQ(database.CurrentSatellite()->transponderCount, 0);

    database.SelectSatellite(nullptr);
    EXPECT_EQ(CreateTransponder(database, 12380, 27500, 0).outcome, TransponderEditOutcome::NothingDone);
}

// Edits in turn on 12380 V: frequency ("F") or symbol rate ("S") text, the
// outcome, the text put back in the field and the name that results.
TEST_F(TransponderRules, FieldEditsTakeValuesInRangeAndRestoreOthersSilently)
{
    Add(12380, 22000, 0);
    Add(12380, 27500, 0);
    using Outcome = TransponderEditOutcome;
    struct Edit {
        char field;
        const char* text;
        Outcome outcome;
        const char* shown;
        const char* name;
    };
    const Edit edits[] = {
        {'F', "949", Outcome::Restored, "12380", "12380V/27500"},
        {'F', "14001", Outcome::Restored, "12380", "12380V/27500"},
        {'F', "", Outcome::Restored, "12380", "12380V/27500"},
        {'F', "12a8", Outcome::Restored, "12380", "12380V/27500"},
        {'F', "950", Outcome::Changed, "950", "950V/27500"},
        {'F', "0950", Outcome::Unchanged, "950", "950V/27500"},
        {'F', "14000", Outcome::Changed, "14000", "14000V/27500"},
        {'S', "899", Outcome::Restored, "27500", "14000V/27500"},
        {'S', "45001", Outcome::Restored, "27500", "14000V/27500"},
        {'S', "27500", Outcome::Unchanged, "27500", "14000V/27500"},
        {'S', "02750", Outcome::Changed, "02750", "14000V/02750"},
        {'S', "45000", Outcome::Changed, "45000", "14000V/45000"},
        {'F', "12380", Outcome::Changed, "12380", "12380V/45000"},
        {'S', "22000", Outcome::Restored, "45000", "12380V/45000"},
    };
    for (const Edit& edit : edits) {
        const TransponderEditResult result = edit.field == 'F' ? EditTransponderFrequency(database, edit.text)
                                                               : EditTransponderSymbolRate(database, edit.text);
        EXPECT_EQ(result.outcome, edit.outcome) << edit.field << " " << edit.text;
        EXPECT_EQ(result.text, edit.shown) << edit.field << " " << edit.text;
        EXPECT_EQ(CurrentName(), edit.name) << edit.field << " " << edit.text;
        EXPECT_TRUE(result.error.IsEmpty()) << edit.field << " " << edit.text;
        EXPECT_EQ(result.effects.setTuningChanged, edit.outcome == Outcome::Changed) << edit.field << " " << edit.text;
    }
    EXPECT_EQ(database.CurrentTransponder()->frequency, 12380);
    EXPECT_EQ(database.CurrentTransponder()->symbolRate, 45000);

    Add(11000, 27500, 0);
    Add(12000, 27500, 0);
    const TransponderEditResult clash = EditTransponderFrequency(database, "11000");
    EXPECT_EQ(clash.outcome, TransponderEditOutcome::Duplicate);
    EXPECT_STREQ(clash.error.key, "String1");
    EXPECT_EQ(clash.text, "12000");
}
