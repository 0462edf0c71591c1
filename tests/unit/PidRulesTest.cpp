#include "common/DecimalText.h"
#include "reception/MacAddressText.h"
#include "reception/NumberText.h"
#include "reception/PidInfoRules.h"
#include "reception/PidListTexts.h"
#include "reception/PidPageRules.h"
#include "tests/unit/PageHostDouble.h"
#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using namespace reception;

namespace {

using Calls = std::vector<std::string>;

std::string KeyOf(const MessageRef& message) { return message.IsEmpty() ? "(none)" : message.key; }

// The session as the PID page's rules see it, locked with the filter running.
class LockedHost final : public PageHostDouble {
public:
    using PageHostDouble::PageHostDouble;
    void LockWithFilter() { locked = filterStarted = true, tuningChanged = false; }
};

PidRecord* AddStoredPid(CChannelDatabase& database, int pid, int type = 2, int loaded = 0)
{
    return Added(database, Pid(pid, type, "", loaded), 0);
}

}   // namespace

TEST(PidNumberReading, HexLikeStrToIntExAfterAnAddedPrefixDecimalLikeAtoi)
{
    const std::pair<const char*, std::optional<std::uint32_t>> hex[] = {
        {"1FfE", 0x1ffeu},     {"15zz", 0x15u},       {"0x15", 0u},        {"", std::nullopt},
        {" 15", std::nullopt}, {"-15", std::nullopt}, {"100000015", 0x15u}};
    for (const auto& [text, value] : hex)
        EXPECT_EQ(ReadHexAfterPrefix(text), value) << text;
    const std::pair<const char*, int> decimal[] = {{"  42", 42},
                                                   {"-7", -7},
                                                   {"12ab", 12},
                                                   {"abc", 0},
                                                   {"99999999999999999999", INT_MAX},
                                                   {"-99999999999999999999", INT_MIN}};
    for (const auto& [text, value] : decimal)
        EXPECT_EQ(ReadLeadingNumber(text), value) << text;
}

TEST(PidInfoEntry, BaseSwitchConvertsAndOkRefusesEmptyAndOutOfRange)
{
    PidInfoRules rules;
    rules.EnterText("1ffe");
    std::vector<std::string> texts;
    for (PidBase base : {PidBase::Decimal, PidBase::Decimal, PidBase::Hexadecimal}) {
        rules.ChangeBase(base);
        texts.push_back(rules.Text());
    }
    EXPECT_EQ(texts, (Calls{"8190", "8190", "1ffe"})) << "clicking the chosen base changes nothing";

    const std::tuple<PidBase, const char*, const char*> oks[] = {
        {PidBase::Hexadecimal, "15", "(none)"}, {PidBase::Hexadecimal, "14", "String13"},
        {PidBase::Decimal, "21", "(none)"},     {PidBase::Decimal, "20", "String13"},
        {PidBase::Decimal, "8190", "(none)"},   {PidBase::Hexadecimal, "1ffe", "(none)"},
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
}

class PidPage : public ::testing::Test {
protected:
    // A loaded database with one satellite and one current transponder.
    PidPage()
    {
        database.Load(std::string());
        Added(database, Satellite("Test", 0));
        Added(database, Transponder(12000, 27500, 0));
    }

    CChannelDatabase database;
    ScriptedDriver driver;
    LockedHost host{driver};
    PidPageRules rules{database, host};
};

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

    driver.SetResult("SetDataPID", 5);
    const PidOutcome outcome = rules.Load(refused);
    EXPECT_TRUE(!outcome.done && KeyOf(outcome.message) == "String34" && refused->loaded == 0);
    EXPECT_EQ(rules.LoadedCount(), 1);
    EXPECT_EQ(host.settingsChangedMarks, 1) << "the first load only";
}

TEST_F(PidPage, AddAppendsATypeTwoPidLoadsItAndRefusesDuplicates)
{
    AddStoredPid(database, 21, 0);
    host.LockWithFilter();
    EXPECT_TRUE(rules.Add(21).done) << "the same value with another type does not block";
    const auto rows = rules.Refresh();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows.back().record->type == 2 && rows.back().record->loaded == 1);
    EXPECT_EQ(database.CurrentPid(), rows.back().record);
    EXPECT_EQ(driver.Calls("SetDataPID"), Calls{"SetDataPID(21,2,1)"});

    EXPECT_EQ(KeyOf(rules.Add(21).message), "String6");
    EXPECT_EQ(KeyOf(rules.Add(8191).message), "String13");
    EXPECT_EQ(rules.Refresh().size(), 2u);

    driver.SetResult("SetDataPID", 1);
    const PidOutcome refused = rules.Add(100);
    EXPECT_TRUE(refused.done && KeyOf(refused.message) == "String34") << "stored although the card refused";
}

TEST_F(PidPage, APidTheCardRefusesAfterALockStaysWantedShowsRefusedIsTracedAndLoadRetriesIt)
{
    AddStoredPid(database, 21, 2, 1);
    PidRecord* refused = AddStoredPid(database, 22, 2, 1);
    AddStoredPid(database, 23);
    rules.Refresh();
    host.LockWithFilter();
    const auto reloadAnswering = [&](int answer) {
        driver.SetResult("SetDataPID(22,2,1)", answer);
        rules.ReloadPids();
        return rules.Image(*refused);
    };
    EXPECT_EQ(reloadAnswering(2), kRefusedImage);
    EXPECT_EQ(refused->loaded, 1) << "the wanted state stays";
    std::vector<int> images;
    for (const PidRow& row : rules.Refresh())
        images.push_back(row.image);
    EXPECT_EQ(images, (std::vector<int>{kLoadedImage, kRefusedImage, kNotLoadedImage}));
    EXPECT_EQ(host.traces, (Calls{".....Add PID.....PID Value:21,PID Type:2.\n", "Add PID Return Ok.\n",
                                  ".....Add PID.....PID Value:22,PID Type:2.\n", "Add PID Return Fail.\n"}));
    EXPECT_EQ(reloadAnswering(0), kLoadedImage) << "each lock counts the refusals afresh";

    EXPECT_EQ(reloadAnswering(2), kRefusedImage);
    driver.SetResult("SetDataPID(22,2,1)", 0);
    EXPECT_TRUE(rules.Load(refused).done) << "sent again";
    EXPECT_EQ(rules.Image(*refused), kLoadedImage);
    EXPECT_EQ(rules.LoadedCount(), 2) << "without a second slot";
    EXPECT_EQ(reloadAnswering(2), kRefusedImage);
    driver.ClearCalls();
    EXPECT_TRUE(rules.Unload(refused).done);
    EXPECT_TRUE(driver.Calls("SetDataPID").empty()) << "the card never took it and would refuse to drop it";
}

// The data watchdog is armed only by a PID the card took: one it refused
// would have it re-lock a channel that can bring no data.
TEST_F(PidPage, OnlyAPidTheCardTookCountsAsAccepted)
{
    PidRecord* only = AddStoredPid(database, 22, 2, 1);
    rules.Refresh();
    host.LockWithFilter();
    driver.SetResult("SetDataPID(22,2,1)", 2);
    rules.ReloadPids();
    EXPECT_FALSE(rules.HasAcceptedPid());
    driver.SetResult("SetDataPID(22,2,1)", 0);
    rules.ReloadPids();
    EXPECT_TRUE(rules.HasAcceptedPid());
    only->loaded = 0;
    EXPECT_FALSE(rules.HasAcceptedPid());
}

TEST_F(PidPage, RemoveKeepsThePidWhileTheCardRefusesToUnloadItAndSaysWhy)
{
    PidRecord* record = AddStoredPid(database, 21, 2, 1);
    rules.Refresh();
    host.LockWithFilter();
    driver.SetResult("SetDataPID(21,2,0)", 2);
    EXPECT_EQ(KeyOf(rules.Remove(record).message), "String78");
    EXPECT_TRUE(rules.LoadedCount() == 1 && rules.Refresh().size() == 1u && record->loaded == 1);
    driver.SetResult("SetDataPID(21,2,0)", 0);
    EXPECT_TRUE(rules.Remove(record).done);
    EXPECT_TRUE(rules.Refresh().empty());
}
