#include "tuning/LockSequence.h"

#include "database/ChannelRecords.h"
#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Log = std::vector<std::string>;

class RecordingHost : public LockHost, public SwitchCommandSender {
public:
    explicit RecordingHost(CallLog& log) : log(log) {}

    int filterStarted = 0;
    int tuningChanged = 1;

    bool IsFilterStarted() override { return filterStarted != 0; }
    void SetFilterStarted(int started) override { log.Add("SetFilterStarted(" + std::to_string(filterStarted = started) + ")"); }
    void SetTuningChanged(int changed) override { log.Add("SetTuningChanged(" + std::to_string(tuningChanged = changed) + ")"); }
    void StopSignalTimer() override { log.Add("StopSignalTimer"); }
    void StartSignalTimer() override { log.Add("StartSignalTimer"); }
    void ShowWaitDialog() override { log.Add("ShowWaitDialog"); }
    void DestroyWaitDialog() override { log.Add("DestroyWaitDialog"); }
    void ShowLockState(int result) override { log.Add("ShowLockState(" + std::to_string(result) + ")"); }
    void ReloadPids() override { log.Add("ReloadPids"); }
    void Trace(const char*) override {}
    int SendTonePower() override { log.Add("SendTonePower"); return 1; }
    int SendDiseqcSwitch() override { log.Add("SendDiseqcSwitch"); return 1; }

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

class LockSequenceTest : public testing::Test {
protected:
    void TearDown() override
    {
        driver.ReleaseLocks();
        ASSERT_TRUE(WaitForLockWorkers(5s)) << "a lock worker did not end";
    }

    // Runs and lets the background worker finish, so that the next step
    // starts from a settled request block. A silent run reports whatever the
    // block holds when it looks, so its worker is held in the driver until then.
    void RunSettled(LockSequence& sequence, const TransponderRecord& transponder, bool silent)
    {
        if (silent)
            driver.HoldLocks();
        sequence.Run(host, &satellite, &transponder, silent);
        driver.ReleaseLocks();
        ASSERT_TRUE(WaitForLockWorkers(5s));
    }

    CallLog log;
    ScriptedDriver driver{log};
    RecordingHost host{log};
    SatelliteRecord satellite = Satellite();
};

TEST_F(LockSequenceTest, SatelliteLockRunsEveryStepInOrder)
{
    LockSequence sequence(LockKind::Satellite, driver, &host, 5s);
    host.filterStarted = 1;
    const auto transponder = *Transponder(12380, 27500, 1);
    sequence.Run(host, &satellite, &transponder, false);

    const Log expected{"StopFilter", "SetFilterStarted(0)", "SetTuningChanged(0)", "StopSignalTimer", "ShowWaitDialog",
                       "SendTonePower", "SendDiseqcSwitch", "SendTonePower", "LockChannel3(12380,27500,1,1,1,9750,10600)",
                       "DestroyWaitDialog", "ShowLockState(0)", "StartFilter", "SetFilterStarted(1)", "ReloadPids",
                       "StartSignalTimer"};
    EXPECT_EQ(log.Entries(), expected);
    EXPECT_EQ(host.filterStarted, 1);
    EXPECT_EQ(host.tuningChanged, 0);
    EXPECT_EQ(sequence.Result(), 0);
}

TEST_F(LockSequenceTest, FailedLockLeavesTheFilterStoppedAndStopsWaitingWhenTheWorkerEnds)
{
    LockSequence sequence(LockKind::Satellite, driver, &host, 30s);
    driver.SetLockResult(3);
    const auto transponder = *Transponder(11000, 22000, 0);
    const auto started = std::chrono::steady_clock::now();
    sequence.Run(host, &satellite, &transponder, false);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << "waited past the worker's end";

    const Log tail{"DestroyWaitDialog", "ShowLockState(3)", "StartSignalTimer"};
    const auto entries = log.Entries();
    ASSERT_GE(entries.size(), tail.size());
    EXPECT_EQ(Log(entries.end() - tail.size(), entries.end()), tail);
    EXPECT_EQ(log.Count("StartFilter"), 0);
    EXPECT_EQ(host.filterStarted, 0);

    log.Clear();
    driver.SetLockResult(0);
    driver.SetResult("StartFilter", 1);
    const auto other = *Transponder(12000, 22000, 0);
    sequence.Run(host, &satellite, &other, false);
    EXPECT_EQ(log.Count("ReloadPids"), 0);
    EXPECT_EQ(log.Matching("SetFilterStarted"), (Log{"SetFilterStarted(0)"}));
}

// A lock kept for one request says nothing of another on the same frequency.
TEST_F(LockSequenceTest, AnyOtherRequestWaitsForItsOwnWorker)
{
    using Change = std::function<void(SatelliteRecord&, TransponderRecord&)>;
    const std::pair<const char*, Change> changes[] = {
        {"frequency", [](auto&, auto& t) { t.frequency = 11000; }},
        {"polarisation", [](auto&, auto& t) { t.polarity = 1; }},
        {"LNB frequency", [](auto& s, auto&) { s.lnbFreq2 = 10750; }},
        {"switch input", [](auto& s, auto&) { s.diseqcPort = 2; }},
    };
    for (const auto& [what, change] : changes) {
        LockSequence sequence(LockKind::Satellite, driver, &host, 50ms);
        satellite = Satellite();
        TransponderRecord transponder = *Transponder(12380, 27500, 0);
        RunSettled(sequence, transponder, false);
        ASSERT_EQ(sequence.Result(), 0);

        log.Clear();
        change(satellite, transponder);
        driver.HoldLocks();
        sequence.Run(host, &satellite, &transponder, false);
        EXPECT_EQ(log.Count("DestroyWaitDialog"), 1) << what << ": waits at most the limit";
        EXPECT_EQ(log.Count("ShowLockState(255)"), 1) << what;
        EXPECT_EQ(log.Count("StartFilter"), 0) << what;
        driver.ReleaseLocks();
        ASSERT_TRUE(WaitForLockWorkers(5s));
        EXPECT_EQ(sequence.Result(), 0) << what << ": the late worker leaves its result for the next run";
    }
}

TEST_F(LockSequenceTest, SilentRunReportsThePreviousOutcome)
{
    LockSequence sequence(LockKind::Satellite, driver, &host, 5s);
    driver.HoldLocks();
    const auto transponder = *Transponder(12380, 27500, 0);
    sequence.Run(host, &satellite, &transponder, true);
    EXPECT_EQ(log.Count("ShowWaitDialog"), 0);
    EXPECT_EQ(log.Count("DestroyWaitDialog"), 0);
    EXPECT_EQ(log.Count("ShowLockState(255)"), 1) << "reported without waiting for the worker";
    driver.ReleaseLocks();
    ASSERT_TRUE(WaitForLockWorkers(5s));

    log.Clear();
    driver.SetLockResult(2);
    RunSettled(sequence, transponder, true);
    EXPECT_EQ(log.Count("ShowLockState(0)"), 1);
    EXPECT_EQ(log.Count("ReloadPids"), 1);
    EXPECT_EQ(sequence.Result(), 2);
}

TEST_F(LockSequenceTest, CableSearchTriesTheRememberedQamSizeFirst)
{
    LockSequence sequence(LockKind::Cable, driver, &host, 5s);
    EXPECT_EQ(sequence.Remembered(), 16);
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[2] == 128 ? 0 : 1; });
    const auto channel = *Transponder(474000, 0, 0);
    RunSettled(sequence, channel, false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(474000,0,%d,0,0,0,0)", {16, 32, 64, 128}));
    EXPECT_EQ(sequence.Remembered(), 128);

    log.Clear();
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[2] == 256 ? 0 : 1; });
    RunSettled(sequence, channel, false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(474000,0,%d,0,0,0,0)", {128, 16, 32, 64, 128, 256}));
    EXPECT_EQ(sequence.Remembered(), 256);
}

TEST_F(LockSequenceTest, TerrestrialSearchRemembersTheBandwidth)
{
    LockSequence sequence(LockKind::Terrestrial, driver, &host, 5s);
    EXPECT_EQ(sequence.Remembered(), 6);
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[1] == 7 ? 0 : 1; });
    const auto channel = *Transponder(618000, 0, 0);
    RunSettled(sequence, channel, false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(618000,%d,0,0,0,0,0)", {6, 7}));
    EXPECT_EQ(sequence.Remembered(), 7);

    log.Clear();
    driver.SetLockResult(1);
    RunSettled(sequence, channel, false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(618000,%d,0,0,0,0,0)", {7, 6, 7, 8}));
    EXPECT_EQ(sequence.Remembered(), 7) << "a failed search keeps the last value that locked";

    log.Clear();
    RunSettled(sequence, *Transponder(618000, 8, 0), false);
    EXPECT_EQ(log.Matching("LockChannel3"), Locks("LockChannel3(618000,%d,0,0,0,0,0)", {8}));
}

} // namespace
