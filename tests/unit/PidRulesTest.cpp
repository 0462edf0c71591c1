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

std::string KeyOf(const MessageRef& message)
{
    return message.IsEmpty() ? "(none)" : message.key;
}

PidInfoRules TypedIn(PidBase base, const std::string& text)
{
    PidInfoRules rules;
    rules.ChangeBase(base);
    EXPECT_TRUE(rules.EnterText(text).IsEmpty()) << text;
    return rules;
}

}  // namespace

TEST(PidNumberReading, HexReadsLikeStrToIntExAfterAnAddedPrefix)
{
    EXPECT_EQ(ReadHexAfterPrefix("15"), 0x15u);
    EXPECT_EQ(ReadHexAfterPrefix("1FfE"), 0x1ffeu);
    EXPECT_EQ(ReadHexAfterPrefix("15zz"), 0x15u) << "the first other character ends the number";
    EXPECT_EQ(ReadHexAfterPrefix("0x15"), 0u) << "'0' is a digit and 'x' ends it";
    EXPECT_EQ(ReadHexAfterPrefix(""), std::nullopt);
    EXPECT_EQ(ReadHexAfterPrefix(" 15"), std::nullopt);
    EXPECT_EQ(ReadHexAfterPrefix("-15"), std::nullopt);
    EXPECT_EQ(ReadHexAfterPrefix("100000015"), 0x15u) << "wraps at 32 bits";
}

TEST(PidNumberReading, DecimalReadsLikeAtoiWithoutOverflow)
{
    EXPECT_EQ(ReadLeadingNumber("8190"), 8190);
    EXPECT_EQ(ReadLeadingNumber("  42"), 42);
    EXPECT_EQ(ReadLeadingNumber("-7"), -7);
    EXPECT_EQ(ReadLeadingNumber("12ab"), 12);
    EXPECT_EQ(ReadLeadingNumber(""), 0);
    EXPECT_EQ(ReadLeadingNumber("abc"), 0);
    EXPECT_EQ(ReadLeadingNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ReadLeadingNumber("-99999999999999999999"), INT_MIN);
}

TEST(PidInfoEntry, HexadecimalTypingKeepsTheLastGoodText)
{
    PidInfoRules rules;
    EXPECT_EQ(rules.Base(), PidBase::Hexadecimal);
    EXPECT_TRUE(rules.EnterText("1ff").IsEmpty());
    EXPECT_EQ(KeyOf(rules.EnterText("1fff")), "String4") << "8191 is above the range";
    EXPECT_EQ(rules.Text(), "1ff");
    EXPECT_TRUE(rules.EnterText("1FFE").IsEmpty());
    EXPECT_EQ(rules.Text(), "1FFE");
    EXPECT_EQ(KeyOf(rules.EnterText("1g")), "String4");
    EXPECT_EQ(KeyOf(rules.EnterText("0x1")), "String4");
    EXPECT_EQ(rules.Text(), "1FFE");
}

TEST(PidInfoEntry, DecimalTypingAcceptsSmallValuesOnTheirWay)
{
    PidInfoRules rules;
    rules.ChangeBase(PidBase::Decimal);
    EXPECT_TRUE(rules.EnterText("2").IsEmpty());
    EXPECT_TRUE(rules.EnterText("20").IsEmpty());
    EXPECT_EQ(KeyOf(rules.EnterText("8191")), "String5");
    EXPECT_EQ(KeyOf(rules.EnterText("2a")), "String5");
    EXPECT_EQ(KeyOf(rules.EnterText("-2")), "String5");
    EXPECT_EQ(rules.Text(), "20");
}

TEST(PidInfoEntry, FifthCharacterIsRefusedInBothBases)
{
    for (PidBase base : {PidBase::Hexadecimal, PidBase::Decimal}) {
        PidInfoRules rules = TypedIn(base, "0021");
        const auto refusal = rules.EnterText("00210");
        EXPECT_EQ(KeyOf(refusal), "String3");
        EXPECT_EQ(rules.Text(), "0021");
    }
    PidInfoRules cleared = TypedIn(PidBase::Decimal, "21");
    EXPECT_TRUE(cleared.EnterText("").IsEmpty());
    EXPECT_EQ(cleared.Text(), "");
}

TEST(PidInfoBaseSwitch, ConvertsTheTypedTextBothWays)
{
    PidInfoRules rules = TypedIn(PidBase::Hexadecimal, "1ffe");
    rules.ChangeBase(PidBase::Decimal);
    EXPECT_EQ(rules.Text(), "8190");
    rules.ChangeBase(PidBase::Hexadecimal);
    EXPECT_EQ(rules.Text(), "1ffe");

    PidInfoRules padded = TypedIn(PidBase::Hexadecimal, "0015");
    padded.ChangeBase(PidBase::Decimal);
    EXPECT_EQ(padded.Text(), "21");

    PidInfoRules same = TypedIn(PidBase::Decimal, "0021");
    same.ChangeBase(PidBase::Decimal);
    EXPECT_EQ(same.Text(), "0021") << "clicking the chosen base changes nothing";

    PidInfoRules empty;
    empty.ChangeBase(PidBase::Decimal);
    EXPECT_EQ(empty.Base(), PidBase::Decimal);
    EXPECT_EQ(empty.Text(), "");
    EXPECT_EQ(KeyOf(empty.EnterText("8191")), "String5") << "checks follow the new base";
}

TEST(PidInfoOk, RefusesEmptyAndOutOfRangeValues)
{
    PidInfoRules hex = TypedIn(PidBase::Hexadecimal, "15");
    EXPECT_TRUE(hex.ConfirmOk().IsEmpty());
    EXPECT_EQ(hex.PidValue(), 21);
    EXPECT_EQ(PidInfoRules::PidType(), 2);

    PidInfoRules decimal = TypedIn(PidBase::Decimal, "20");
    const auto refusal = decimal.ConfirmOk();
    EXPECT_EQ(KeyOf(refusal), "String13");
    EXPECT_STREQ(refusal.english, "Input Data PID between 21 and 8190 (Hex: 0015-1FFE)!");

    EXPECT_EQ(KeyOf(TypedIn(PidBase::Hexadecimal, "14").ConfirmOk()), "String13");
    EXPECT_TRUE(TypedIn(PidBase::Decimal, "8190").ConfirmOk().IsEmpty());
    EXPECT_EQ(TypedIn(PidBase::Hexadecimal, "1ffe").PidValue(), 8190);

    const auto empty = PidInfoRules().ConfirmOk();
    EXPECT_EQ(KeyOf(empty), "String12");
    EXPECT_STREQ(empty.english, "Error!PID Data can`t be empty!!!");
}

TEST(PidListTexts, CellsOfARecord)
{
    EXPECT_EQ(PidHexText(21), "15");
    EXPECT_EQ(PidHexText(8190), "1ffe");
    EXPECT_STREQ(PidTypeName(0), "data pipe");
    EXPECT_STREQ(PidTypeName(1), "data streamin");
    EXPECT_STREQ(PidTypeName(2), "MPE data");
    EXPECT_STREQ(PidTypeName(3), "Data Streaming PES 1");
    EXPECT_STREQ(PidTypeName(7), "");
    EXPECT_STREQ(PidTypeName(-1), "");

    PidRecord record;
    record.pid = 21;
    record.type = 7;
    PidRow row = MakePidRow(record);
    EXPECT_EQ(row.record, &record);
    EXPECT_EQ(row.pidText, "15");
    EXPECT_EQ(row.typeText, "");
    EXPECT_EQ(row.macText, "Unknown");
    EXPECT_EQ(row.image, kNotLoadedImage);

    std::memset(record.name, 'N', sizeof record.name);  // no terminator, as a damaged file may hold
    record.loaded = 1;
    row = MakePidRow(record);
    EXPECT_EQ(row.macText, std::string(20, 'N'));
    EXPECT_EQ(row.image, kLoadedImage);
}

TEST(PidListTexts, ColumnsShareTheClientWidth)
{
    const auto columns = PidColumns(503);
    EXPECT_STREQ(columns[0].title, "PID");
    EXPECT_STREQ(columns[1].title, "Type");
    EXPECT_STREQ(columns[2].title, "MAC Address");
    EXPECT_EQ(columns[0].width, 100);
    EXPECT_EQ(columns[1].width, 100);
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
    AddStoredPid(database, 300, 2, 1);
    const auto rows = rules.Refresh();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].pidText, "1ffe");
    EXPECT_EQ(rows[1].pidText, "15");
    EXPECT_EQ(rows[1].typeText, "data pipe");
    EXPECT_EQ(rows[0].image, kLoadedImage);
    EXPECT_EQ(rows[1].image, kNotLoadedImage);
    EXPECT_EQ(rules.LoadedCount(), 2);

    CChannelDatabase empty;
    PidPageRules withoutTransponder(empty, driver, host);
    EXPECT_TRUE(withoutTransponder.Refresh().empty());
    EXPECT_FALSE(withoutTransponder.HasCurrentTransponder());
}

TEST_F(PidPage, LoadWhileUnlockedMarksThePidAndTheNextLockSendsIt)
{
    PidRecord* first = AddStoredPid(database, 21);
    AddStoredPid(database, 22);
    PidRecord* third = AddStoredPid(database, 23);
    rules.Refresh();

    for (PidRecord* record : {first, third}) {
        const PidOutcome outcome = rules.Load(record);
        EXPECT_TRUE(outcome.done);
        EXPECT_TRUE(outcome.message.IsEmpty());
        EXPECT_EQ(record->loaded, 1);
    }
    EXPECT_EQ(host.settingsChangedMarks, 2);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty());
    EXPECT_EQ(rules.LoadedCount(), 2);

    rules.ReloadPids();
    EXPECT_TRUE(driver.Calls("SetDataPID").empty()) << "not locked yet";
    host.locked = true;
    rules.ReloadPids();
    EXPECT_TRUE(driver.Calls("SetDataPID").empty()) << "filter not started";

    host.LockWithFilter();
    rules.ReloadPids();
    EXPECT_EQ(driver.Calls("SetDataPID"), (std::vector<std::string>{"SetDataPID(21,2,1)", "SetDataPID(23,2,1)"}));
    EXPECT_TRUE(host.traces.empty()) << "the reload is silent";
}

TEST_F(PidPage, LoadWhileLockedSendsThePidOnce)
{
    PidRecord* record = AddStoredPid(database, 0x1ffe, 2, 0);
    rules.Refresh();
    host.LockWithFilter();

    EXPECT_TRUE(rules.Load(record).done);
    EXPECT_EQ(record->loaded, 1);
    EXPECT_EQ(driver.Calls("SetDataPID"), std::vector<std::string>{"SetDataPID(8190,2,1)"});
    EXPECT_EQ(host.traces, (std::vector<std::string>{".....Add PID.....PID Value:8190,PID Type:2.\n",
                                                     "Add PID Return Ok.\n"}));
    EXPECT_EQ(host.debugLines, std::vector<std::string>{".....Add PID.....PID Value:8190,PID Type:2.\n"});
    EXPECT_EQ(host.settingsChangedMarks, 1);

    const PidOutcome again = rules.Load(record);
    EXPECT_FALSE(again.done);
    EXPECT_TRUE(again.message.IsEmpty());
    EXPECT_EQ(driver.Calls("SetDataPID").size(), 1u);
    EXPECT_EQ(host.settingsChangedMarks, 1) << "Apply stays as it was";
    EXPECT_EQ(rules.LoadedCount(), 1);
}

TEST_F(PidPage, LoadAfterATuningChangeOnlyMarks)
{
    PidRecord* record = AddStoredPid(database, 100);
    host.LockWithFilter();
    host.tuningChanged = true;
    EXPECT_TRUE(rules.Load(record).done);
    EXPECT_EQ(record->loaded, 1);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty());
}

TEST_F(PidPage, RefusedLoadKeepsThePidUnloadedAndFreesItsSlot)
{
    PidRecord* record = AddStoredPid(database, 100);
    rules.Refresh();
    host.LockWithFilter();
    driver.SetResult("SetDataPID", 5);

    const PidOutcome outcome = rules.Load(record);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(KeyOf(outcome.message), "String34");
    EXPECT_STREQ(outcome.message.english, "Fail to load this PID");
    EXPECT_EQ(record->loaded, 0);
    EXPECT_EQ(rules.LoadedCount(), 0);
    EXPECT_EQ(host.settingsChangedMarks, 0);
    EXPECT_EQ(host.traces.back(), "Add PID Return Fail.\n");
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
    const PidOutcome outcome = rules.Load(ninth);
    EXPECT_FALSE(outcome.done);
    EXPECT_TRUE(outcome.message.IsEmpty());
    EXPECT_EQ(ninth->loaded, 0);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty());
    EXPECT_EQ(host.settingsChangedMarks, 0);

    driver.deviceType = 0;
    EXPECT_EQ(rules.LoadLimit(), 16);
    EXPECT_TRUE(rules.Load(ninth).done);
    EXPECT_EQ(rules.LoadedCount(), 9);
}

TEST_F(PidPage, UnloadTellsTheCardOnlyWhileTheFilterRuns)
{
    PidRecord* record = AddStoredPid(database, 21, 2, 1);
    rules.Refresh();

    EXPECT_TRUE(rules.Unload(record).done);
    EXPECT_EQ(record->loaded, 0);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty());
    EXPECT_EQ(rules.LoadedCount(), 0);
    EXPECT_FALSE(rules.Unload(record).done) << "nothing to unload";

    record->loaded = 1;
    rules.Refresh();
    host.LockWithFilter();
    host.traces.clear();
    EXPECT_TRUE(rules.Unload(record).done);
    EXPECT_EQ(driver.Calls("SetDataPID"), std::vector<std::string>{"SetDataPID(21,2,0)"});
    EXPECT_EQ(host.traces, (std::vector<std::string>{".....Del PID.....PID Value:21,PID Type:2.\n",
                                                     "Del PID Return Ok.\n"}));
    EXPECT_EQ(host.settingsChangedMarks, 2);
}

TEST_F(PidPage, RefusedUnloadKeepsThePidLoaded)
{
    PidRecord* record = AddStoredPid(database, 21, 2, 1);
    rules.Refresh();
    host.LockWithFilter();
    driver.SetResult("SetDataPID", 1);

    const PidOutcome outcome = rules.Unload(record);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(KeyOf(outcome.message), "String35");
    EXPECT_STREQ(outcome.message.english, "Fail to unload this PID");
    EXPECT_EQ(record->loaded, 1);
    EXPECT_EQ(rules.LoadedCount(), 1) << "the slot is taken again";
    EXPECT_EQ(host.traces.back(), "Del PID Return Fail.\n");
}

TEST_F(PidPage, AddAppendsATypeTwoPidAndLoadsIt)
{
    AddStoredPid(database, 21, 0);
    host.LockWithFilter();

    const PidOutcome outcome = rules.Add(21);
    EXPECT_TRUE(outcome.done) << "the same value with another type does not block";
    const auto rows = rules.Refresh();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.back().record->type, 2);
    EXPECT_EQ(rows.back().record->loaded, 1);
    EXPECT_EQ(database.CurrentPid(), rows.back().record);
    EXPECT_EQ(driver.Calls("SetDataPID"), std::vector<std::string>{"SetDataPID(21,2,1)"});
    EXPECT_EQ(host.settingsChangedMarks, 1);

    const PidOutcome duplicate = rules.Add(21);
    EXPECT_FALSE(duplicate.done);
    EXPECT_EQ(KeyOf(duplicate.message), "String6");
    EXPECT_STREQ(duplicate.message.english, "This PID already exist.");
    EXPECT_EQ(rules.Refresh().size(), 2u);

    EXPECT_EQ(KeyOf(rules.Add(8191).message), "String13");
    EXPECT_EQ(rules.Refresh().size(), 2u);
}

TEST_F(PidPage, AddStoresWithoutLoadingWhenTheCardRefusesOrSlotsAreFull)
{
    host.LockWithFilter();
    driver.SetResult("SetDataPID", 1);
    const PidOutcome refused = rules.Add(100);
    EXPECT_TRUE(refused.done);
    EXPECT_EQ(KeyOf(refused.message), "String34");
    EXPECT_EQ(rules.LoadedCount(), 0);

    driver.ClearResults();
    driver.deviceType = 1;
    for (int pid = 21; pid < 29; ++pid)
        AddStoredPid(database, pid, 2, 1);
    rules.Refresh();
    driver.ClearCalls();
    const PidOutcome full = rules.Add(200);
    EXPECT_TRUE(full.done);
    EXPECT_TRUE(full.message.IsEmpty());
    EXPECT_EQ(rules.Refresh().back().record->loaded, 0);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty());
}

TEST_F(PidPage, AddWithoutATransponderDoesNothing)
{
    CChannelDatabase empty;
    empty.Load(std::string());
    PidPageRules withoutTransponder(empty, driver, host);
    EXPECT_FALSE(withoutTransponder.Add(100).done);
    EXPECT_EQ(host.settingsChangedMarks, 0);
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
    EXPECT_EQ(driver.Calls("SetDataPID"), std::vector<std::string>{"SetDataPID(22,2,0)"});
    EXPECT_EQ(rules.LoadedCount(), 1);
    const auto rows = rules.Refresh();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].record, kept);

    driver.ClearResults();
    host.locked = false;
    EXPECT_TRUE(rules.Remove(kept).done);
    EXPECT_EQ(driver.Calls("SetDataPID").size(), 1u) << "unlocked: only the mark changes";
    EXPECT_TRUE(rules.Refresh().empty());
    EXPECT_EQ(host.settingsChangedMarks, 2);
    EXPECT_STREQ(ReceptionMessages::kConfirmRemovePid.key, "String7");
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
