#include "common/DecimalText.h"
#include "reception/MacAddressText.h"
#include "reception/NumberText.h"
#include "reception/PidInfoRules.h"
#include "reception/PidListTexts.h"
#include "reception/PidPageRules.h"
#include "tests/unit/ReceptionTestHost.h"
#include "tests/unit/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace reception;

namespace {

using Calls = std::vector<std::string>;

std::string KeyOf(const MessageRef& message)
{
    return message.IsEmpty() ? "(none)" : message.key;
}

}  // namespace

TEST(PidNumberReading, HexLikeStrToIntExAfterAnAddedPrefixDecimalLikeAtoi)
{
    const std::pair<const char*, std::optional<std::uint32_t>> hex[] = {
        {"1FfE", 0x1ffeu}, {"15zz", 0x15u}, {"0x15", 0u}, {"", std::nullopt}, {" 15", std::nullopt},
        {"-15", std::nullopt}, {"100000015", 0x15u}};
    for (const auto& [text, value] : hex)
        EXPECT_EQ(ReadHexAfterPrefix(text), value) << text;
    const std::pair<const char*, int> decimal[] = {{"  42", 42}, {"-7", -7}, {"12ab", 12}, {"abc", 0},
                                                   {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN}};
    for (const auto& [text, value] : decimal)
        EXPECT_EQ(ReadLeadingNumber(text), value) << text;
}

// Each text typed in turn, and the refusal it gets ("(none)" when taken).
TEST(PidInfoEntry, TypingKeepsTheLastGoodTextInEitherBase)
{
    struct Step { PidBase base; const char* typed; const char* refusal; const char* shown; };
    const Step steps[] = {
        {PidBase::Hexadecimal, "1ff", "(none)", "1ff"},   {PidBase::Hexadecimal, "1fff", "String4", "1ff"},
        {PidBase::Hexadecimal, "1FFE", "(none)", "1FFE"}, {PidBase::Hexadecimal, "1g", "String4", "1FFE"},
        {PidBase::Hexadecimal, "0x1", "String4", "1FFE"}, {PidBase::Hexadecimal, "1FFE0", "String3", "1FFE"},
        {PidBase::Decimal, "2", "(none)", "2"},           {PidBase::Decimal, "20", "(none)", "20"},
        {PidBase::Decimal, "8191", "String5", "20"},      {PidBase::Decimal, "-2", "String5", "20"},
        {PidBase::Decimal, "0021", "(none)", "0021"},     {PidBase::Decimal, "00210", "String3", "0021"},
        {PidBase::Decimal, "", "(none)", ""},
    };
    PidInfoRules hex;
    PidInfoRules decimal;
    decimal.ChangeBase(PidBase::Decimal);
    for (const Step& step : steps) {
        PidInfoRules& rules = step.base == PidBase::Hexadecimal ? hex : decimal;
        EXPECT_EQ(KeyOf(rules.EnterText(step.typed)), step.refusal) << step.typed;
        EXPECT_EQ(rules.Text(), step.shown) << step.typed;
    }
}

TEST(PidInfoEntry, BaseSwitchConvertsAndOkRefusesEmptyAndOutOfRange)
{
    PidInfoRules rules;
    rules.EnterText("1ffe");
    rules.ChangeBase(PidBase::Decimal);
    EXPECT_EQ(rules.Text(), "8190");
    rules.ChangeBase(PidBase::Decimal);
    EXPECT_EQ(rules.Text(), "8190") << "clicking the chosen base changes nothing";
    rules.ChangeBase(PidBase::Hexadecimal);
    EXPECT_EQ(rules.Text(), "1ffe");
    EXPECT_EQ(PidInfoRules::PidType(), 2);

    const std::tuple<PidBase, const char*, const char*> oks[] = {
        {PidBase::Hexadecimal, "15", "(none)"},    {PidBase::Hexadecimal, "14", "String13"},
        {PidBase::Decimal, "21", "(none)"},        {PidBase::Decimal, "20", "String13"},
        {PidBase::Decimal, "8190", "(none)"},      {PidBase::Hexadecimal, "1ffe", "(none)"},
        {PidBase::Hexadecimal, "", "String12"}};
    for (const auto& [base, text, refusal] : oks) {
        PidInfoRules typed;
        typed.ChangeBase(base);
        typed.EnterText(text);
        EXPECT_EQ(KeyOf(typed.ConfirmOk()), refusal) << text;
    }
    PidInfoRules typed;
    typed.EnterText("15");
    EXPECT_EQ(typed.PidValue(), 21);
    EXPECT_STREQ(PidInfoRules().ConfirmOk().english, "Error!PID Data can`t be empty!!!");
}

TEST(PidListTexts, CellsOfARecordAndColumns)
{
    EXPECT_EQ(PidHexText(8190), "1ffe");
    const std::pair<int, const char*> types[] = {{0, "data pipe"}, {1, "data streamin"}, {2, "MPE data"},
                                                 {3, "Data Streaming PES 1"}, {7, ""}, {-1, ""}};
    for (const auto& [type, name] : types)
        EXPECT_STREQ(PidTypeName(type), name) << type;

    PidRecord record;
    record.pid = 21;
    PidRow row = MakePidRow(record);
    EXPECT_EQ(row.pidText, "15");
    EXPECT_EQ(row.macText, "Unknown");
    EXPECT_EQ(row.image, kNotLoadedImage);
    std::memset(record.name, 'N', sizeof record.name);  // no terminator, as a damaged file may hold
    record.loaded = 1;
    row = MakePidRow(record);
    EXPECT_EQ(row.macText, std::string(20, 'N'));
    EXPECT_EQ(row.image, kLoadedImage);

    const auto columns = PidColumns(503);
    EXPECT_STREQ(columns[2].title, "MAC Address");
    EXPECT_EQ(columns[0].width + columns[1].width, 200);
    EXPECT_EQ(columns[2].width, 301);
}

class PidPage : public ::testing::Test {
protected:
    PidPage() { AddCurrentTransponder(database); }

    CChannelDatabase database;
    ScriptedDriver driver;
    ReceptionTestHost host;
    PidPageRules rules{database, driver, host};
};

TEST_F(PidPage, RefreshListsTheCurrentTransponderAndCountsLoadedPids)
{
    AddStoredPid(database, 8190, 2, 1);
    AddStoredPid(database, 21, 0, 0);
    const auto rows = rules.Refresh();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].pidText, "1ffe");
    EXPECT_EQ(rows[1].typeText, "data pipe");
    EXPECT_EQ(rules.LoadedCount(), 1);

    CChannelDatabase empty;
    PidPageRules withoutTransponder(empty, driver, host);
    EXPECT_TRUE(withoutTransponder.Refresh().empty());
    EXPECT_FALSE(withoutTransponder.Add(100).done);
    EXPECT_EQ(host.settingsChangedMarks, 0);
}

TEST_F(PidPage, LoadWhileUnlockedMarksThePidAndTheNextLockWithFilterSendsIt)
{
    PidRecord* first = AddStoredPid(database, 21);
    AddStoredPid(database, 22);
    PidRecord* third = AddStoredPid(database, 23);
    rules.Refresh();
    for (PidRecord* record : {first, third}) {
        EXPECT_TRUE(rules.Load(record).done);
        EXPECT_EQ(record->loaded, 1);
    }
    EXPECT_EQ(host.settingsChangedMarks, 2);
    host.locked = true;
    rules.ReloadPids();
    EXPECT_TRUE(driver.Calls("SetDataPID").empty()) << "filter not started";
    host.LockWithFilter();
    rules.ReloadPids();
    EXPECT_EQ(driver.Calls("SetDataPID"), (Calls{"SetDataPID(21,2,1)", "SetDataPID(23,2,1)"}));

    driver.ClearCalls();
    host.tuningChanged = true;
    PidRecord* later = AddStoredPid(database, 100);
    EXPECT_TRUE(rules.Load(later).done);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty()) << "after a tuning change only the mark";
}

TEST_F(PidPage, LoadWhileLockedSendsThePidOnceAndARefusalFreesItsSlot)
{
    PidRecord* record = AddStoredPid(database, 0x1ffe, 2, 0);
    PidRecord* refused = AddStoredPid(database, 100);
    rules.Refresh();
    host.LockWithFilter();
    EXPECT_TRUE(rules.Load(record).done);
    EXPECT_FALSE(rules.Load(record).done) << "already loaded";
    EXPECT_EQ(driver.Calls("SetDataPID"), Calls{"SetDataPID(8190,2,1)"});
    EXPECT_EQ(host.settingsChangedMarks, 1);

    driver.SetResult("SetDataPID", 5);
    const PidOutcome outcome = rules.Load(refused);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(KeyOf(outcome.message), "String34");
    EXPECT_STREQ(outcome.message.english, "Fail to load this PID");
    EXPECT_EQ(refused->loaded, 0);
    EXPECT_EQ(rules.LoadedCount(), 1);
    EXPECT_EQ(host.settingsChangedMarks, 1);
}

TEST_F(PidPage, LoadLimitFollowsTheDeviceType)
{
    driver.deviceType = 1;
    for (int pid = 21; pid < 29; ++pid)
        AddStoredPid(database, pid, 2, 1);
    PidRecord* ninth = AddStoredPid(database, 29);
    rules.Refresh();
    EXPECT_EQ(rules.LoadLimit(), 8);
    host.LockWithFilter();
    EXPECT_FALSE(rules.Load(ninth).done);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty());
    const PidOutcome full = rules.Add(200);
    EXPECT_TRUE(full.done) << "stored without loading";
    EXPECT_EQ(rules.Refresh().back().record->loaded, 0);

    driver.deviceType = 0;
    EXPECT_EQ(rules.LoadLimit(), 16);
    EXPECT_TRUE(rules.Load(ninth).done);
}

TEST_F(PidPage, UnloadTellsTheCardOnlyWhileTheFilterRunsAndARefusalKeepsThePidLoaded)
{
    PidRecord* record = AddStoredPid(database, 21, 2, 1);
    rules.Refresh();
    EXPECT_TRUE(rules.Unload(record).done);
    EXPECT_FALSE(rules.Unload(record).done) << "nothing to unload";
    EXPECT_TRUE(driver.Calls("SetDataPID").empty());

    record->loaded = 1;
    rules.Refresh();
    host.LockWithFilter();
    driver.SetResult("SetDataPID", 1);
    const PidOutcome outcome = rules.Unload(record);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(KeyOf(outcome.message), "String35");
    EXPECT_EQ(record->loaded, 1);
    EXPECT_EQ(rules.LoadedCount(), 1) << "the slot is taken again";
    driver.ClearResults();
    EXPECT_TRUE(rules.Unload(record).done);
    EXPECT_EQ(driver.Calls("SetDataPID"), (Calls{"SetDataPID(21,2,0)", "SetDataPID(21,2,0)"}));
}

TEST_F(PidPage, AddAppendsATypeTwoPidLoadsItAndRefusesDuplicates)
{
    AddStoredPid(database, 21, 0);
    host.LockWithFilter();
    EXPECT_TRUE(rules.Add(21).done) << "the same value with another type does not block";
    const auto rows = rules.Refresh();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.back().record->type, 2);
    EXPECT_EQ(rows.back().record->loaded, 1);
    EXPECT_EQ(database.CurrentPid(), rows.back().record);
    EXPECT_EQ(driver.Calls("SetDataPID"), Calls{"SetDataPID(21,2,1)"});

    const PidOutcome duplicate = rules.Add(21);
    EXPECT_EQ(KeyOf(duplicate.message), "String6");
    EXPECT_STREQ(duplicate.message.english, "This PID already exist.");
    EXPECT_EQ(KeyOf(rules.Add(8191).message), "String13");
    EXPECT_EQ(rules.Refresh().size(), 2u);

    driver.SetResult("SetDataPID", 1);
    const PidOutcome refused = rules.Add(100);
    EXPECT_TRUE(refused.done) << "stored although the card refused";
    EXPECT_EQ(KeyOf(refused.message), "String34");
}

TEST_F(PidPage, RemoveUnloadsALoadedPidAndRemovesItEvenWhenRefused)
{
    PidRecord* kept = AddStoredPid(database, 21, 2, 1);
    PidRecord* removed = AddStoredPid(database, 22, 2, 1);
    rules.Refresh();
    host.LockWithFilter();
    driver.SetResult("SetDataPID", 1);
    const PidOutcome outcome = rules.Remove(removed);
    EXPECT_TRUE(outcome.done);
    EXPECT_EQ(KeyOf(outcome.message), "String35");
    EXPECT_EQ(rules.LoadedCount(), 1);
    ASSERT_EQ(rules.Refresh().size(), 1u);

    host.locked = false;
    EXPECT_TRUE(rules.Remove(kept).done);
    EXPECT_EQ(driver.Calls("SetDataPID").size(), 1u) << "unlocked: only the mark changes";
    EXPECT_TRUE(rules.Refresh().empty());
}

TEST_F(PidPage, StartAndChangedMacTexts)
{
    driver.SetResult("GetMACAddr", 1);
    EXPECT_EQ(MacDisplayText(PageStartMacAddress(driver)), "02-4E-51-01-02-03");

    driver.ClearResults();
    driver.cardMac = {0x00, 0x0a, 0xbc, 0xde, 0xf0, 0x01};
    EXPECT_EQ(MacDisplayText(PageStartMacAddress(driver)), "00-0A-BC-DE-F0-01");

    driver.netMac = NetMacSetting{1, {0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff}, {}};
    driver.ClearCalls();
    EXPECT_EQ(MacDisplayText(PageStartMacAddress(driver)), "AA-BB-CC-DD-EE-FF");
    EXPECT_EQ(driver.Calls("GetMACAddr").size(), 0u) << "the enabled adapter address wins";

    const MacAddress chosen{0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc};
    EXPECT_EQ(ApplyFilterMac(driver, chosen), "12-34-56-78-9A-BC");
    ASSERT_EQ(driver.filterMacsSet.size(), 1u);
    EXPECT_EQ(driver.filterMacsSet[0], chosen);
}
