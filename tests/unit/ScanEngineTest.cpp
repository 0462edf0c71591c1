#include "tuning/ScanEngine.h"

#include "tests/unit/ScriptedDriver.h"
#include "tests/unit/TestKit.h"
#include "tuning/ScanProgress.h"
#include "tuning/ScanTexts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>

namespace {

using namespace std::chrono_literals;
using Log = std::vector<std::string>;

TransponderRecord Target(std::int32_t frequency, std::int32_t symbolRate = 0, std::int32_t polarity = 0)
{
    return *Transponder(frequency, symbolRate, polarity);
}

ScanJob BandJob(LockKind kind, std::initializer_list<std::int32_t> frequencies)
{
    ScanJob job;
    job.kind = kind;
    for (std::int32_t frequency : frequencies)
        job.targets.push_back(Target(frequency));
    return job;
}

// What each step reported: the target's index, whether it locked, and the value that locked.
using Reports = std::vector<std::tuple<std::size_t, bool, std::int32_t>>;
Reports Reported(const std::vector<ScanStep>& steps)
{
    Reports reported;
    for (const ScanStep& step : steps)
        reported.emplace_back(step.index, step.locked, step.lockedValue);
    return reported;
}

// The steps as the worker reported them; each checks that the gate was free
// by then, so that what the report sets off can reach the card.
class StepRecorder final : public ScanReport {
public:
    explicit StepRecorder(DriverGate& gate) : gate(gate) {}

    void Step(ScanStep step) override
    {
        gateFreeAtEveryStep = gateFreeAtEveryStep && !gate.IsBusy();
        steps.push_back(std::move(step));
    }
    void Ended(ScanEnd scanEnd) override { end = scanEnd; }

    std::vector<ScanStep> steps;
    std::optional<ScanEnd> end;
    bool gateFreeAtEveryStep = true;

private:
    DriverGate& gate;
};

class ScanEngineTest : public testing::Test {
protected:
    ScanEnd Run(const ScanJob& job)
    {
        return RunScan(control, job, recorder, [this](int ms) { pauses.push_back(ms); });
    }
    Log Locks() const { return driver.Calls("LockChannel3"); }

    ScriptedDriver driver;
    DriverGate gate{driver, 50ms};
    ScanControl control{gate, 50ms};
    StepRecorder recorder{gate};
    std::vector<int> pauses;
};

TEST_F(ScanEngineTest, CheckSendsTheSwitchCommandsOnlyWhenTheySwitchSomethingElse)
{
    ScanJob job;
    job.satellite = *Satellite("Astra", 192);
    job.satellite.diseqcPort = job.satellite.lnbPower = job.satellite.lnbType = 1;
    std::tie(job.satellite.lnbFreq1, job.satellite.lnbFreq2) = std::tuple(9750, 10600);
    job.targets = {Target(11494, 22000, 1), Target(11362, 22000, 1), Target(11034, 27500, 0), Target(12380, 27500, 0)};
    driver.signal = {71, 64, 0, 0, 1};
    driver.SetLockResult([](const ScriptedDriver::LockArgs& args) { return args[0] == 11362 ? 1 : 0; });

    EXPECT_EQ(Run(job), ScanEnd::Completed);
    EXPECT_EQ(driver.Calls(),
              (Log{"SetDiseCom1(0,0,0,1)", "SetDiseCom2(E0,10,38,F2)", "SetDiseCom1(0,0,0,1)",
                   "LockChannel3(11494,22000,1,1,1,9750,10600)", "GetSignalStrAndQu",
                   "LockChannel3(11362,22000,1,1,1,9750,10600)", "GetSignalStrAndQu", "SetDiseCom1(0,0,0,1)",
                   "SetDiseCom2(E0,10,38,F0)", "SetDiseCom1(0,0,0,1)", "LockChannel3(11034,27500,0,1,1,9750,10600)",
                   "GetSignalStrAndQu", "LockChannel3(12380,27500,0,1,1,9750,10600)", "GetSignalStrAndQu"}));
    EXPECT_EQ(pauses, (std::vector<int>{100, 100})) << "the settle pause after each switch command";
    EXPECT_EQ(Reported(recorder.steps), (Reports{{0, true, 0}, {1, false, 0}, {2, true, 0}, {3, true, 0}}));
    ASSERT_TRUE(recorder.steps[3].signal);
    EXPECT_EQ(std::pair(recorder.steps[3].signal->strength, recorder.steps[3].signal->quality), std::pair(71, 64));
    EXPECT_TRUE(recorder.gateFreeAtEveryStep);
}

TEST_F(ScanEngineTest, BandScansSearchWithTheValueThatLockedLastFirstAndKeepIt)
{
    // Terrestrial: 6, 7, 8 until one locks; the next frequency starts with it.
    driver.SetLockResult([](const ScriptedDriver::LockArgs& a) {
        return (a[0] == 482000 && a[1] == 7) || (a[0] == 490000 && a[1] == 8) ? 0 : 1;
    });
    EXPECT_EQ(Run(BandJob(LockKind::Terrestrial, {474000, 482000, 490000})), ScanEnd::Completed);
    EXPECT_EQ(Locks(), (Log{"LockChannel3(474000,6,0,0,0,0,0)", "LockChannel3(474000,7,0,0,0,0,0)",
                            "LockChannel3(474000,8,0,0,0,0,0)", "LockChannel3(482000,6,0,0,0,0,0)",
                            "LockChannel3(482000,7,0,0,0,0,0)", "LockChannel3(490000,7,0,0,0,0,0)",
                            "LockChannel3(490000,6,0,0,0,0,0)", "LockChannel3(490000,8,0,0,0,0,0)"}));
    EXPECT_EQ(Reported(recorder.steps), (Reports{{0, false, 0}, {1, true, 7}, {2, true, 8}}));

    // Cable: symbol rate 0 and the QAM sizes 16 to 256.
    driver.ClearCalls();
    recorder.steps.clear();
    driver.SetLockResult([](const ScriptedDriver::LockArgs& a) { return a[2] == 64 ? 0 : 1; });
    EXPECT_EQ(Run(BandJob(LockKind::Cable, {314000, 322000})), ScanEnd::Completed);
    EXPECT_EQ(Locks(), (Log{"LockChannel3(314000,0,16,0,0,0,0)", "LockChannel3(314000,0,32,0,0,0,0)",
                            "LockChannel3(314000,0,64,0,0,0,0)", "LockChannel3(322000,0,64,0,0,0,0)"}));
    EXPECT_EQ(recorder.steps.back().lockedValue, 64);
    EXPECT_EQ(driver.Calls("SetDiseCom"), Log{}) << "no switch commands on cable";
}

TEST_F(ScanEngineTest, FrequenciesOnAChannelFoundInThisScanAreNotTriedAgain)
{
    // An 8 MHz channel at 475 MHz covers everything closer than 4 MHz.
    driver.SetLockResult([](const ScriptedDriver::LockArgs& a) { return a[0] == 475000 && a[1] == 8 ? 0 : 1; });
    Run(BandJob(LockKind::Terrestrial, {474000, 475000, 476000, 478000, 479000}));
    EXPECT_EQ(Reported(recorder.steps), (Reports{{0, false, 0}, {1, true, 8}, {4, false, 0}}));
}

TEST_F(ScanEngineTest, CancelLetsTheStepInFlightFinishAndStartsNoOther)
{
    driver.SetLockResult([this](const ScriptedDriver::LockArgs& a) {
        if (a[0] == 482000)
            control.Cancel();
        return 1;
    });
    EXPECT_EQ(Run(BandJob(LockKind::Terrestrial, {474000, 482000, 490000})), ScanEnd::Cancelled);
    EXPECT_EQ(driver.Calls("LockChannel3(482000").size(), 3u) << "the search of the step in flight finishes";
    EXPECT_EQ(driver.Calls("LockChannel3(490000").size(), 0u);
    EXPECT_EQ(driver.Calls().back(), "GetSignalStrAndQu") << "the step ends with its reading";
    EXPECT_EQ(recorder.steps.size(), 2u);
}

TEST_F(ScanEngineTest, AbandonedScanSendsNothingMoreNotEvenTheRestOfItsStep)
{
    driver.SetLockResult([this](const ScriptedDriver::LockArgs& a) {
        if (a[0] == 482000)
            control.Abandon();
        return 1;
    });
    EXPECT_EQ(Run(BandJob(LockKind::Terrestrial, {474000, 482000, 490000})), ScanEnd::Abandoned);
    EXPECT_EQ(driver.Calls().back(), "LockChannel3(482000,6,0,0,0,0,0)");
    EXPECT_EQ(recorder.steps.size(), 1u) << "the abandoned step is not reported";
    EXPECT_FALSE(gate.IsBusy());
}

TEST_F(ScanEngineTest, AGateThatStaysBusyEndsTheScanWithoutACall)
{
    std::optional<DriverLease> held = gate.TryLease();
    ASSERT_TRUE(held);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Run(BandJob(LockKind::Cable, {314000})), ScanEnd::CardBusy);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 50ms) << "it waited the gate's wait";
    EXPECT_EQ(driver.Calls(), Log{});
}

// The worker and another thread that calls the driver meanwhile, as the
// window's commands would: the gate keeps every call apart, and frees the
// card between steps.
TEST_F(ScanEngineTest, AScanOnItsWorkerSharesTheCardOneCallAtATime)
{
    driver.SetLockResult([](const ScriptedDriver::LockArgs&) {
        std::this_thread::sleep_for(2ms);
        return 1;
    });
    auto queue = std::make_shared<ScanProgressQueue>();
    StartScanWorker(std::make_shared<ScanControl>(gate),
                    BandJob(LockKind::Terrestrial, {474000, 482000, 490000, 498000}), queue);
    std::atomic<bool> stop{false};
    std::atomic<int> reads{0};
    std::thread window([&] {
        while (!stop) {
            StatsCounters counters{};
            reads += gate.Driver().GetStatsCounters(&counters) == 0 ? 1 : 0;
        }
    });
    std::vector<ScanStep> steps;
    std::optional<ScanEnd> end;
    for (auto deadline = std::chrono::steady_clock::now() + 5s; !end && std::chrono::steady_clock::now() < deadline;) {
        ScanProgressQueue::Taken taken = queue->Take();
        steps.insert(steps.end(), taken.steps.begin(), taken.steps.end());
        end = taken.end;
        std::this_thread::sleep_for(1ms);
    }
    stop = true;
    window.join();
    EXPECT_EQ(end, ScanEnd::Completed);
    EXPECT_EQ(steps.size(), 4u);
    EXPECT_EQ(driver.Overlaps(), 0);
    EXPECT_GT(reads.load(), 0);
}

TEST(ScanProgressQueueTest, WakesOnceUntilTakenAndNeverAfterTheWindowWent)
{
    ScanProgressQueue queue;
    int wakes = 0;
    queue.Step(ScanStep{});
    queue.SetWake([&] { ++wakes; });
    EXPECT_EQ(wakes, 1) << "what came before the window was there";
    queue.Step(ScanStep{});
    EXPECT_EQ(wakes, 1) << "not woken again before it took";
    EXPECT_EQ(queue.Take().steps.size(), 2u);
    queue.Ended(ScanEnd::Cancelled);
    EXPECT_EQ(wakes, 2);
    EXPECT_EQ(queue.Take().end, ScanEnd::Cancelled);
    queue.SetWake({});
    queue.Step(ScanStep{});
    EXPECT_EQ(wakes, 2);
}

TEST(ScanTextsTest, PlacesAreFilledFromWhatIsGivenOnly)
{
    const struct {
        const char* text;
        const char* filled;
    } kCases[] = {
        {"%1 of %2: %3", "3 of 57: 482000 kHz"},
        {"%2 / %1", "57 / 3"},
        {"100% %4 %", "100% %4 %"},   // no fourth value; a lone % stays
        {"%", "%"},
        {"%%1", "%3"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(FillPlaces(c.text, {"3", "57", "482000 kHz"}), c.filled) << c.text;
}

}   // namespace
