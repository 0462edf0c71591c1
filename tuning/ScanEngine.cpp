#include "tuning/ScanEngine.h"

#include "common/FieldText.h"
#include "language/SystemText.h"
#include "tuning/BandPlans.h"
#include "tuning/CableRules.h"
#include "tuning/LockSequence.h"
#include "tuning/TerrestrialRules.h"
#include "tuning/TransponderNames.h"
#include "tuning/TuningListImport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <system_error>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Short enough that Abandon, which waits for the guard, never waits long.
constexpr std::chrono::milliseconds kGateSlice{20};

// The LockChannel3 argument a band scan searches: the QAM size (cable) or the bandwidth (terrestrial).
std::size_t SearchSlot(LockKind kind) { return kind == LockKind::Cable ? 2 : 1; }

std::span<const std::int32_t> SearchCandidates(LockKind kind)
{
    // The tables' first entry is "Auto".
    if (kind == LockKind::Cable)
        return std::span<const std::int32_t>(kQamValues).subspan(1);
    return std::span<const std::int32_t>(kBandwidthValues).subspan(1);
}

std::int32_t FirstCandidate(LockKind kind) { return SearchCandidates(kind).front(); }

struct LockOutcome {
    bool locked = false;
    bool stopped = false;   // abandoned in the middle: nothing more may be sent
    std::int32_t lockedValue = 0;
};

// The lock of one step: one call, or the band scans' search.
LockOutcome LockTarget(ReceiverDriver& driver, const ScanControl& control, LockKind kind, LockValues values,
                       std::int32_t lastLocked)
{
    const bool search = kind != LockKind::Satellite && values[SearchSlot(kind)] == 0;
    const std::int32_t given = kind == LockKind::Satellite ? 0 : values[SearchSlot(kind)];
    const std::vector<std::int32_t> order =
        search ? ScanSearchOrder(kind, lastLocked) : std::vector<std::int32_t>{given};
    for (std::int32_t value : order) {
        if (control.IsAbandoned())
            return {false, true, 0};
        if (kind != LockKind::Satellite)
            values[SearchSlot(kind)] = value;
        if (driver.LockChannel3(values[0], values[1], values[2], values[3], values[4], values[5], values[6]) == 0)
            return {true, false, value};
    }
    return {};
}

std::optional<SignalLevels> ReadLevels(ReceiverDriver& driver)
{
    int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, locked = 0;
    if (driver.GetSignalStrAndQu(&strength, &quality, &reserved1, &reserved2, &locked) != 0)
        return std::nullopt;
    return SignalLevels{strength, quality};
}

std::string StepTraceLine(const ScanJob& job, const ScanStep& step)
{
    char line[200];
    const std::string label = ScanTargetLabel(job.kind, job.targets[step.index]);
    const std::string outcome = !step.locked                      ? "not locked"
                                : job.kind == LockKind::Satellite ? "locked"
                                                                  : "locked at " + std::to_string(step.lockedValue);
    const int strength = step.signal ? step.signal->strength : -1;
    const int quality = step.signal ? step.signal->quality : -1;
    std::snprintf(line, sizeof line, "Scan step %zu of %zu: %s %s, strength %d, quality %d, %lld ms\n", step.index + 1,
                  job.targets.size(), label.c_str(), outcome.c_str(), strength, quality,
                  static_cast<long long>(step.lockTime.count()));
    return line;
}

// The targets that lie on a channel found in this scan: the same channel again.
class FoundChannels {
public:
    explicit FoundChannels(LockKind kind) : terrestrial(kind == LockKind::Terrestrial) {}

    void Add(std::int32_t frequency, std::int32_t value)
    {
        channels.push_back({frequency, ChannelHalfWidthKhz(terrestrial, value)});
    }
    bool Covers(std::int32_t frequency) const
    {
        return std::any_of(channels.begin(), channels.end(), [frequency](const Channel& channel) {
            return std::llabs(static_cast<long long>(frequency) - channel.frequency) < channel.halfWidth;
        });
    }

private:
    struct Channel {
        std::int32_t frequency;
        std::int32_t halfWidth;
    };
    bool terrestrial;
    std::vector<Channel> channels;
};

using SwitchCommand = std::array<std::int32_t, 3>;

// One step, the gate held: the switch commands when they differ from those
// sent last, the lock and the reading. Nothing when the scan was abandoned
// meanwhile: then nothing more was sent.
std::optional<ScanStep> RunStep(ReceiverDriver& driver, const ScanControl& control, const ScanJob& job,
                                std::size_t index, std::optional<SwitchCommand>& switchSent, std::int32_t lastLocked,
                                const PauseFunction& pause)
{
    const TransponderRecord& target = job.targets[index];
    ScanStep step;
    step.index = index;
    const TextSink trace = [&step](const std::string& line) { step.trace.push_back(line); };
    const LockRequest request = MakeLockRequest(job.kind, job.satellite, target);
    if (job.kind == LockKind::Satellite && switchSent != request.switchCommand) {
        SendTonePower(driver, &job.satellite, &target, trace);
        SendDiseqcSwitch(driver, &job.satellite, &target, trace, pause);
        if (control.IsAbandoned())
            return std::nullopt;
        SendTonePower(driver, &job.satellite, &target, trace);
        switchSent = request.switchCommand;
    }
    const auto lockStarted = Clock::now();
    const LockOutcome outcome = LockTarget(driver, control, job.kind, request.values, lastLocked);
    step.lockTime = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lockStarted);
    if (outcome.stopped || control.IsAbandoned())
        return std::nullopt;
    step.locked = outcome.locked;
    step.lockedValue = outcome.lockedValue;
    step.signal = ReadLevels(driver);
    return step;
}

}   // namespace

ScanControl::ScanControl(DriverGate& gate, std::chrono::milliseconds gateWait) : gate(&gate), gateWait(gateWait) {}

void ScanControl::Abandon()
{
    std::lock_guard<std::mutex> guard(mutex);
    abandoned = true;
    gate = nullptr;
}

ScanControl::Entry ScanControl::EnterGate(std::optional<Hold>& hold)
{
    const auto deadline = Clock::now() + gateWait;
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(mutex);
            if (gate == nullptr || cancelled.load())
                return Entry::Stopped;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            std::optional<DriverLease> lease = gate->Lease(std::clamp(left, std::chrono::milliseconds(0), kGateSlice));
            if (lease) {
                hold.emplace(Hold{std::move(*lease), &gate->Driver()});
                return Entry::Entered;
            }
        }
        if (Clock::now() >= deadline)
            return Entry::Busy;
    }
}

std::string ScanTargetLabel(LockKind kind, const TransponderRecord& target)
{
    if (kind != LockKind::Satellite)
        return FrequencyChannelName(static_cast<std::uint32_t>(target.frequency));
    if (!FieldText(target.name).empty())
        return std::string(FieldText(target.name));
    TransponderRecord named = target;
    NameTransponder(named);
    return std::string(FieldText(named.name));
}

std::string ScanTargetText(LockKind kind, const TransponderRecord& target)
{
    return AnsiToUtf8(ScanTargetLabel(kind, target));
}

std::vector<std::int32_t> ScanSearchOrder(LockKind kind, std::int32_t lastLocked)
{
    const std::span<const std::int32_t> candidates = SearchCandidates(kind);
    std::vector<std::int32_t> order;
    if (std::find(candidates.begin(), candidates.end(), lastLocked) != candidates.end())
        order.push_back(lastLocked);
    for (std::int32_t value : candidates) {
        if (value != lastLocked)
            order.push_back(value);
    }
    return order;
}

ScanEnd RunScan(ScanControl& control, const ScanJob& job, ScanReport& report, const PauseFunction& pause)
{
    std::optional<SwitchCommand> switchSent;
    std::int32_t lastLocked = FirstCandidate(job.kind);
    FoundChannels found(job.kind);
    for (std::size_t index = 0; index < job.targets.size(); ++index) {
        if (control.IsAbandoned())
            return ScanEnd::Abandoned;
        if (control.IsCancelled())
            return ScanEnd::Cancelled;
        const std::int32_t frequency = job.targets[index].frequency;
        if (job.kind != LockKind::Satellite && found.Covers(frequency))
            continue;
        std::optional<ScanControl::Hold> hold;
        switch (control.EnterGate(hold)) {
        case ScanControl::Entry::Entered: break;
        case ScanControl::Entry::Busy: return ScanEnd::CardBusy;
        case ScanControl::Entry::Stopped: return control.IsAbandoned() ? ScanEnd::Abandoned : ScanEnd::Cancelled;
        }
        std::optional<ScanStep> step = RunStep(*hold->driver, control, job, index, switchSent, lastLocked, pause);
        hold.reset();   // the gate is free before anyone hears of the step
        if (!step)
            return ScanEnd::Abandoned;
        if (step->locked && job.kind != LockKind::Satellite) {
            lastLocked = step->lockedValue;
            found.Add(frequency, step->lockedValue);
        }
        step->trace.push_back(StepTraceLine(job, *step));
        report.Step(std::move(*step));
    }
    return ScanEnd::Completed;
}

void StartScanWorker(std::shared_ptr<ScanControl> control, ScanJob job, std::shared_ptr<ScanReport> report)
{
    const auto work = [](std::shared_ptr<ScanControl> control, ScanJob job, std::shared_ptr<ScanReport> report) {
        report->Ended(RunScan(*control, job, *report));
    };
    try {
        std::thread(work, control, std::move(job), report).detach();
    } catch (const std::system_error&) {
        report->Ended(ScanEnd::Cancelled);
    }
}
