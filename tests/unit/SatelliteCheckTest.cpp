#include "tuning/SatelliteCheck.h"

#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

std::string English(const char*, const char* english) { return english; }

CheckRow Row(std::int32_t frequency, std::int32_t polarity, bool locked, std::optional<SignalLevels> signal,
             std::chrono::milliseconds lockTime, const char* name = "")
{
    CheckRow row;
    std::snprintf(row.transponder.name, sizeof row.transponder.name, "%s", name);
    row.transponder.frequency = frequency;
    row.transponder.symbolRate = 27500;
    row.transponder.polarity = polarity;
    row.locked = locked;
    row.signal = signal;
    row.lockTime = lockTime;
    return row;
}

Texts Column(const std::vector<CheckRow>& rows, CheckColumn column)
{
    Texts cells;
    for (const CheckRow& row : rows)
        cells.push_back(CheckCellText(row, column, English));
    return cells;
}

class SatelliteCheckTest : public testing::Test {
protected:
    void SetUp() override
    {
        database.Load(std::string());
        satellite = Added(database, Satellite("Astra", 192));
        satellite->lnbType = 1;
        satellite->diseqcPort = 2;
        for (auto [frequency, polarity] : {std::pair{11494, 1}, {11362, 1}, {11034, 0}, {12380, 0}})
            Added(database, Transponder(frequency, 27500, polarity, ""), 0);
    }
    Texts Frequencies() const
    {
        Texts frequencies;
        for (const TransponderRecord* t = satellite->firstTransponder; t; t = t->next)
            frequencies.push_back(std::to_string(t->frequency));
        return frequencies;
    }
    // The rows of a check in which the transponders at these indexes did not lock.
    std::vector<CheckRow> CheckedWithout(std::initializer_list<std::size_t> unlocked) const
    {
        const ScanJob job = SatelliteCheckJob(*satellite);
        std::vector<ScanStep> steps(job.targets.size());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            steps[i].index = i;
            steps[i].locked = std::find(unlocked.begin(), unlocked.end(), i) == unlocked.end();
        }
        return CheckRows(job, steps);
    }

    CChannelDatabase database;
    SatelliteRecord* satellite = nullptr;
};

TEST_F(SatelliteCheckTest, TableSortsByEachColumnBothWaysAndCopiesAsTabbedLines)
{
    std::vector<CheckRow> rows{
        Row(11494, 1, true, SignalLevels{70, 65}, 310ms, "Astra 1"), Row(11034, 0, false, SignalLevels{9, 0}, 5020ms),
        Row(11034, 1, false, std::nullopt, 12ms), Row(12380, 0, true, SignalLevels{74, 61}, 290ms)};
    EXPECT_EQ(Column(rows, CheckColumn::Transponder),
              (Texts{"Astra 1", "11034V/27500", "11034H/27500", "12380V/27500"}))
        << "its own name, else the one the Dish Setting page gives";
    EXPECT_EQ(CheckCellText(Row(11494, 1, true, std::nullopt, 1ms, "Caf\xE9"), CheckColumn::Transponder, English),
              "Caf\xC3\xA9")
        << "a name in the system's code page, in UTF-8 for the window";
    EXPECT_EQ(Column(rows, CheckColumn::Locked), (Texts{"Yes", "No", "No", "Yes"}));
    EXPECT_EQ(Column(rows, CheckColumn::Strength), (Texts{"70", "9", "", "74"})) << "no reading, no figure";

    SortCheckRows(rows, CheckColumn::Transponder, true);
    EXPECT_EQ(Column(rows, CheckColumn::Transponder),
              (Texts{"11034V/27500", "11034H/27500", "Astra 1", "12380V/27500"}));
    SortCheckRows(rows, CheckColumn::Quality, false);
    EXPECT_EQ(Column(rows, CheckColumn::Quality), (Texts{"65", "61", "0", ""}));
    SortCheckRows(rows, CheckColumn::LockTime, true);
    EXPECT_EQ(Column(rows, CheckColumn::LockTime), (Texts{"12", "290", "310", "5020"}));
    SortCheckRows(rows, CheckColumn::Locked, true);
    EXPECT_EQ(Column(rows, CheckColumn::Transponder),
              (Texts{"12380V/27500", "Astra 1", "11034H/27500", "11034V/27500"}))
        << "locked first, otherwise as they were (stable)";

    EXPECT_EQ(CheckTableText({rows[0], rows[2]}, English), "Transponder\tLocked\tStrength\tQuality\tLock time (ms)\r\n"
                                                           "12380V/27500\tYes\t74\t61\t290\r\n"
                                                           "11034H/27500\tNo\t\t\t12\r\n");
    EXPECT_EQ(CheckSummaryText(rows, 4, false, English), "2 of 4 transponders locked.");
    EXPECT_EQ(CheckSummaryText({rows[0]}, 4, true, English),
              "1 of 4 transponders locked. Cancelled: the rest was not tried.");
    EXPECT_EQ(UnlockedCount(rows), 2u);
}

TEST_F(SatelliteCheckTest, RemovalTakesOnlyWhatDidNotLockAndKeepsTheCurrentTransponderAndPid)
{
    TransponderRecord* current = satellite->firstTransponder->next->next->next;   // 12380 V
    database.SelectTransponder(current);
    Added(database, Pid(0x100, 2), 0);
    PidRecord* pid = Added(database, Pid(0x101, 2));

    const CheckRemoval removal = RemoveUnlockedTransponders(database, CheckedWithout({1, 2}));
    EXPECT_EQ(removal.removed, 2u);
    EXPECT_EQ(Frequencies(), (Texts{"11494", "12380"}));
    EXPECT_EQ(satellite->transponderCount, 2);
    EXPECT_EQ(database.CurrentTransponder(), current);
    EXPECT_EQ(database.CurrentPid(), pid);
    EXPECT_FALSE(removal.effects.setTuningChanged);
    EXPECT_TRUE(removal.effects.refreshPages);
    EXPECT_TRUE(removal.effects.markSettingsChanged) << "pending until Apply";
}

TEST_F(SatelliteCheckTest, RemovingTheCurrentTransponderMakesTheFirstCurrentAsRemoveDoes)
{
    database.SelectTransponder(satellite->firstTransponder->next);   // 11362 H, does not lock
    const CheckRemoval removal = RemoveUnlockedTransponders(database, CheckedWithout({1}));
    EXPECT_EQ(Frequencies(), (Texts{"11494", "11034", "12380"}));
    EXPECT_EQ(database.CurrentTransponder(), satellite->firstTransponder);
    EXPECT_TRUE(removal.effects.setTuningChanged);

    EXPECT_EQ(RemoveUnlockedTransponders(database, CheckedWithout({})).removed, 0u);
}

TEST_F(SatelliteCheckTest, OfTwoEqualTranspondersTheOneAfterTheRemovedStaysCurrent)
{
    Added(database, Transponder(11494, 27500, 1, "again"));   // the same values as the first, made current
    TransponderRecord* second = database.CurrentTransponder();
    std::vector<CheckRow> rows = CheckedWithout({});
    rows[0].locked = false;   // the first of the two did not lock, the second did
    const CheckRemoval removal = RemoveUnlockedTransponders(database, rows);
    EXPECT_EQ(removal.removed, 1u);
    EXPECT_EQ(database.CurrentTransponder(), second);
    EXPECT_EQ(Frequencies(), (Texts{"11362", "11034", "12380", "11494"}));
}

}   // namespace
