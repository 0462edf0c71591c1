#include "tuning/LockSequence.h"

#include "database/ChannelRecords.h"
#include "tests/unit/PageHostDouble.h"
#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Log = std::vector<std::string>;

class RecordingHost : public PageHostDouble, public LockHost, public SwitchCommandSender {
public:
    RecordingHost(CallLog& log, ReceiverDriver& card) : PageHostDouble(card), log(log) {}

    void SetFilterStarted(int started) override
    {
        log.Add("SetFilterStarted(" + std::to_string(filterStarted = started) + ")");
    }
    void SetTuningChanged(int changed) override
    {
        log.Add("SetTuningChanged(" + std::to_string(tuningChanged = changed) + ")");
    }
    void SetTimerRunning(SessionTimer, bool running) override
    {
        log.Add(running ? "StartSignalTimer" : "StopSignalTimer");
    }
    void ShowWaitDialog(bool shown) override { log.Add(shown ? "ShowWaitDialog" : "DestroyWaitDialog"); }
    void ShowLockState(int result) override { log.Add("ShowLockState(" + std::to_string(result) + ")"); }
    void ReloadPids() override { log.Add("ReloadPids"); }
    void ReportCardBusy() override { log.Add("ReportCardBusy"); }
    // The commands go through the gate's driver, as the Dish Setting page's do.
    int SendTonePower() override { return Driver().SetDiseCom1(0, 0, 0, 1) == kDriverCallRefused ? 0 : 1; }
    int SendDiseqcSwitch() override
    {
        return Driver().SetDiseCom2(0xE0, 0x10, 0x38, 0xF0) == kDriverCallRefused ? 0 : 1;
    }

private:
    CallLog& log;
};

SatelliteRecord Satellite()
{
    SatelliteRecord satellite;
    satellite.lnbType = 1;
    satellite.lnbPower = 1;
    satellite.lnbFreq1 = 9750;
    satellite.lnbFreq2 = 10600;
    return satellite;
}

// The LockChannel3 calls of a search: the pattern with each value in turn.
Log Locks(const char* pattern, std::initializer_list<int> values)
{
    Log calls;
    for (int value : values) {
        char call[64];
        std::snprintf(call, sizeof call, pattern, value);
        calls.push_back(call);
    }
    return calls;
}

// Entries starting with each prefix, in this order (others may come between).
testing::AssertionResult HasInOrder(const Log& entries, const Log& prefixes)
{
    auto at = entries.begin();
    for (const std::string& prefix : prefixes) {
        at = std::find_if(at, entries.end(), [&](const std::string& entry) { return entry.rfind(prefix, 0) == 0; });
        if (at == entries.end())
            return testing::AssertionFailure() << "no " << prefix << " in order";
        ++at;
    }
    return testing::AssertionSuccess();
}

const std::string kSwitches = "SetDiseCom1(0,0,0,1)";

class LockSequenceTest : public testing::Test {
protected:
    void TearDown() override
    {
        driver.ReleaseLocks();
        ASSERT_TRUE(WaitForLockWorkers(5s)) << "a lock worker did not end";
        EXPECT_EQ(driver.Overlaps(), 0) << "a call reached the card while another was in flight";
    }

    LockSequence Sequence(LockKind kind, std::chrono::milliseconds waitLimit = 5s)
    {
        return LockSequence(
            kind, gate, [this](std::uint32_t run) { Post(run); }, &host, waitLimit);
    }

    // The user-interface thread takes the workers' notices, as the main
    // dialog's posted message does.
    void Post(std::uint32_t run)
    {
        std::lock_guard<std::mutex> guard(noticeMutex);
        notices.push_back(run);
    }
    void DeliverNotices(LockSequence& sequence)
    {
        ASSERT_TRUE(WaitForLockWorkers(5s));
        std::deque<std::uint32_t> taken;
        {
            std::lock_guard<std::mutex> guard(noticeMutex);
            taken.swap(notices);
        }
        for (std::uint32_t run : taken)
            sequence.OnWorkerDone(host, run);
    }
    void WaitUntilTuning()
    {
        for (int i = 0; i < 500 && !driver.LockInFlight(); ++i)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(driver.LockInFlight());
    }

    // A run whose worker has ended and been heard of, so that the next step
    // starts from a settled request block.
    void RunSettled(LockSequence& sequence, const TransponderRecord& transponder, bool silent)
    {
        sequence.Run(host, &satellite, &transponder, silent);
        DeliverNotices(sequence);
    }

    CallLog log;
    ScriptedDriver driver{log};
    RecordingHost host{log, driver};
    DriverGate& gate = host.gate;
    SatelliteRecord satellite = Satellite();
    std::mutex noticeMutex;
    std::deque<std::uint32_t> notices;
};

TEST_F(LockSequenceTest, SatelliteLockRunsEveryStepInOrder)
{
    LockSequence sequence = Sequence(LockKind::Satellite);
    host.filterStarted = 1;
    const auto transponder = *Transponder(12380, 27500, 1);
    RunSettled(sequence, transponder, false);

    // Not locked from the moment the new target's lock starts until its own result.
    const Log expected{"StopFilter",
                       "SetFilterStarted(0)",
                       "SetTuningChanged(0)",
                       "StopSignalTimer",
                       "ShowWaitDialog",
                       kSwitches,
                       "SetDiseCom2(E0,10,38,F0)",
                       kSwitches,
                       "ShowLockState(255)",
                       "LockChannel3(12380,27500,1,1,1,9750,10600)",
                       "DestroyWaitDialog",
                       "ShowLockState(0)",
                       "StartFilter",
                       "SetFilterStarted(1)",
                       "ReloadPids",
                       "StartSignalTimer"};
    EXPECT_EQ(log.Entries(), expected) << "the worker's notice starts nothing twice";
    EXPECT_EQ(sequence.Result(), 0);
}

TEST_F(LockSequenceTest, FailedLockLeavesTheFilterStoppedAndStopsWaitingWhenTheWorkerEnds)
{
    LockSequence sequence = Sequence(LockKind::Satellite, 30s);
    driver.SetLockResult(3);
    const auto started = std::chrono::steady_clock::now();
    RunSettled(sequence, *Transponder(11000, 22000, 0), false);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << "waited past the worker's end";

    const Log tail{"DestroyWaitDialog", "ShowLockState(3)", "StartSignalTimer"};
    const auto entries = log.Entries();
    ASSERT_GE(entries.size(), tail.size());
    EXPECT_EQ(Log(entries.end() - tail.size(), entries.end()), tail);
    EXPECT_EQ(log.Count("StartFilter"), 0);

    log.Clear();
    driver.SetLockResult(0);
    driver.SetResult("StartFilter", 1);
    RunSettled(sequence, *Transponder(12000, 22000, 0), false);
    EXPECT_EQ(log.Count("ReloadPids"), 0);
    EXPECT_EQ(log.Matching("SetFilterStarted"), (Log{"SetFilterStarted(0)"}));
}

// A lock kept for one request says nothing of another on the same frequency.
TEST_F(LockSequenceTest, AnyOtherRequestWaitsForItsOwnWorkerWithinTheBound)
{
    using Change = std::function<void(SatelliteRecord&, TransponderRecord&)>;
    const std::pair<const char*, Change> changes[] = {
        {"frequency", [](auto&, auto& t) { t.frequency = 11000; }},
        {"polarisation", [](auto&, auto& t) { t.polarity = 1; }},
        {"LNB frequency", [](auto& s, auto&) { s.lnbFreq2 = 10750; }},
        {"switch input", [](auto& s, auto&) { s.diseqcPort = 2; }},
    };
    for (const auto& [what, change] : changes) {
        LockSequence sequence = Sequence(LockKind::Satellite, 50ms);
        satellite = Satellite();
        TransponderRecord transponder = *Transponder(12380, 27500, 0);
        RunSettled(sequence, transponder, false);
        ASSERT_EQ(sequence.Result(), 0);

        log.Clear();
        change(satellite, transponder);
        driver.HoldLocks();
        sequence.Run(host, &satellite, &transponder, false);
        EXPECT_EQ(log.Count("DestroyWaitDialog"), 1) << what << ": waits at most the limit";
        EXPECT_EQ(log.Matching("ShowLockState"), Log(2, "ShowLockState(255)")) << what << ": at the start and the end";
        driver.ReleaseLocks();
        DeliverNotices(sequence);
        EXPECT_EQ(log.Count("StartFilter"), 0) << what << ": a result that came too late starts nothing";
        EXPECT_EQ(sequence.Result(), 0) << what << ": the late worker leaves its result for the next run";
    }
}

TEST_F(LockSequenceTest, SilentRunActsOnItsWorkersPostedResult)
{
    LockSequence sequence = Sequence(LockKind::Satellite);
    driver.HoldLocks();
    const auto transponder = *Transponder(12380, 27500, 0);
    sequence.Run(host, &satellite, &transponder, true);
    EXPECT_EQ(log.Count("ShowWaitDialog"), 0);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(255)"})) << "not locked until the card says so";
    EXPECT_EQ(log.Count("StartFilter"), 0);
    driver.ReleaseLocks();
    DeliverNotices(sequence);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(255)", "ShowLockState(0)"}));
    EXPECT_TRUE(HasInOrder(log.Entries(), {"LockChannel3(", "StartFilter", "ReloadPids"}));

    // The same transponder again: the kept result shows locked at once, but
    // the filter waits for the worker's own answer, here a failure.
    log.Clear();
    driver.HoldLocks();
    driver.SetLockResult(2);
    sequence.Run(host, &satellite, &transponder, true);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(0)"}));
    EXPECT_EQ(log.Count("StartFilter"), 0) << "not while the card tunes";
    driver.ReleaseLocks();
    DeliverNotices(sequence);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(0)", "ShowLockState(2)"}));
    EXPECT_EQ(log.Count("StartFilter"), 0);
    EXPECT_EQ(log.Count("ReloadPids"), 0);
}

TEST_F(LockSequenceTest, KeptResultShowsLockedAtOnceAndStartsTheFilterOnTheWorkersSuccess)
{
    LockSequence sequence = Sequence(LockKind::Satellite);
    const auto transponder = *Transponder(12380, 27500, 0);
    RunSettled(sequence, transponder, false);

    log.Clear();
    driver.HoldLocks();
    sequence.Run(host, &satellite, &transponder, false);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(0)"})) << "no wait for a kept lock";
    EXPECT_EQ(log.Count("StartFilter"), 0);
    driver.ReleaseLocks();
    DeliverNotices(sequence);
    EXPECT_TRUE(HasInOrder(log.Entries(), {"LockChannel3(", "StartFilter", "ReloadPids"}));
}

TEST_F(LockSequenceTest, AfterALostLockTheKeptResultNoLongerCounts)
{
    LockSequence sequence = Sequence(LockKind::Satellite);
    const auto transponder = *Transponder(12380, 27500, 0);
    RunSettled(sequence, transponder, false);
    sequence.ForgetKeptResult();

    log.Clear();
    driver.HoldLocks();
    sequence.Run(host, &satellite, &transponder, true);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(255)"})) << "not locked until the card says so";
    driver.ReleaseLocks();
    DeliverNotices(sequence);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(255)", "ShowLockState(0)"}));
    EXPECT_TRUE(HasInOrder(log.Entries(), {"LockChannel3(", "StartFilter", "ReloadPids"}));

    // A Lock Test after a forgotten lock waits for its worker as for a new target.
    sequence.ForgetKeptResult();
    log.Clear();
    driver.SetLockResult(1);
    RunSettled(sequence, transponder, false);
    EXPECT_EQ(log.Matching("ShowLockState"), (Log{"ShowLockState(255)", "ShowLockState(1)"}));
}

// What the start-up's lock asks: did the silent lock of the first reading lock these records already?
TEST_F(LockSequenceTest, HasLockedOnlyAfterAFinishedLockOfTheSameRecords)
{
    LockSequence sequence = Sequence(LockKind::Satellite);
    const auto transponder = *Transponder(12380, 27500, 0);
    const auto other = *Transponder(11000, 22000, 1);
    EXPECT_FALSE(sequence.HasLocked(&satellite, &transponder));
    driver.HoldLocks();
    sequence.Run(host, &satellite, &transponder, true);
    EXPECT_FALSE(sequence.HasLocked(&satellite, &transponder)) << "still tuning";
    driver.ReleaseLocks();
    DeliverNotices(sequence);
    EXPECT_TRUE(sequence.HasLocked(&satellite, &transponder));
    EXPECT_FALSE(sequence.HasLocked(&satellite, &other));
    sequence.ForgetKeptResult();
    EXPECT_FALSE(sequence.HasLocked(&satellite, &transponder)) << "the lock was lost since";

    driver.SetLockResult(1);
    RunSettled(sequence, transponder, true);
    EXPECT_FALSE(sequence.HasLocked(&satellite, &transponder));
}

TEST_F(LockSequenceTest, LockAskedWhileAWorkerHoldsTheCardSendsNothing)
{
    LockSequence sequence = Sequence(LockKind::Satellite, 50ms);
    driver.HoldLocks();
    const auto transponder = *Transponder(12380, 27500, 0);
    sequence.Run(host, &satellite, &transponder, true);
    WaitUntilTuning();

    // Another target: the wait runs out on the gate, nothing reaches the card.
    log.Clear();
    const auto other = *Transponder(11000, 22000, 1);
    sequence.Run(host, &satellite, &other, false);
    EXPECT_EQ(log.Entries(), (Log{"ShowWaitDialog", "DestroyWaitDialog", "ReportCardBusy"}));
    // A silent lock does not wait at all.
    log.Clear();
    sequence.Run(host, &satellite, &other, true);
    EXPECT_EQ(log.Entries(), Log{});
    driver.ReleaseLocks();
    DeliverNotices(sequence);
    EXPECT_EQ(log.Matching("LockChannel3").size(), 0u) << "the worker tuned before the log was cleared";
}

TEST_F(LockSequenceTest, LockOfTheTargetBeingTunedTakesThatWorkersResult)
{
    LockSequence sequence = Sequence(LockKind::Satellite);
    driver.HoldLocks();
    const auto transponder = *Transponder(12380, 27500, 0);
    sequence.Run(host, &satellite, &transponder, true);
    WaitUntilTuning();

    log.Clear();
    std::thread card([this] {
        std::this_thread::sleep_for(50ms);
        driver.ReleaseLocks();
    });
    sequence.Run(host, &satellite, &transponder, false);
    card.join();
    EXPECT_EQ(log.Entries(),
              (Log{"SetTuningChanged(0)", "StopSignalTimer", "ShowWaitDialog", "DestroyWaitDialog", "ShowLockState(0)",
                   "StartFilter", "SetFilterStarted(1)", "ReloadPids", "StartSignalTimer"}));
    DeliverNotices(sequence);
    EXPECT_EQ(log.Count("StartFilter"), 1) << "the worker's notice comes after its result was taken";
}

TEST_F(LockSequenceTest, AutomaticSearchGoesOnAfterTheWindowStoppedWaiting)
{
    LockSequence sequence = Sequence(LockKind::Cable, 50ms);
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[2] == 128 ? 0 : 1; });
    driver.HoldLocks();
    sequence.Run(host, &satellite, &*Transponder(474000, 0, 0), false);
    EXPECT_EQ(log.Count("ShowLockState(255)"), 2);
    driver.ReleaseLocks();
    DeliverNotices(sequence);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(474000,0,%d,0,0,0,0)", {16, 32, 64, 128}));
    EXPECT_EQ(sequence.Remembered(), 128);
    EXPECT_EQ(sequence.Result(), 0);
}

TEST_F(LockSequenceTest, CableSearchTriesTheRememberedQamSizeFirst)
{
    LockSequence sequence = Sequence(LockKind::Cable);
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[2] == 128 ? 0 : 1; });
    const auto channel = *Transponder(474000, 0, 0);
    RunSettled(sequence, channel, false);

    log.Clear();
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[2] == 256 ? 0 : 1; });
    RunSettled(sequence, channel, false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(474000,0,%d,0,0,0,0)", {128, 16, 32, 64, 128, 256}));
    EXPECT_EQ(sequence.Remembered(), 256);
}

TEST_F(LockSequenceTest, TerrestrialSearchRemembersTheBandwidth)
{
    LockSequence sequence = Sequence(LockKind::Terrestrial);
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[1] == 7 ? 0 : 1; });
    const auto channel = *Transponder(618000, 0, 0);
    RunSettled(sequence, channel, false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(618000,%d,0,0,0,0,0)", {6, 7}));

    log.Clear();
    driver.SetLockResult(1);
    RunSettled(sequence, channel, false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(618000,%d,0,0,0,0,0)", {7, 6, 7, 8}));
    EXPECT_EQ(sequence.Remembered(), 7) << "a failed search keeps the last value that locked";

    log.Clear();
    RunSettled(sequence, *Transponder(618000, 8, 0), false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(618000,%d,0,0,0,0,0)", {8}));
}

}   // namespace
