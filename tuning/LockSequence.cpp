#include "tuning/LockSequence.h"

#include "database/ChannelRecords.h"
#include "tuning/SwitchCommands.h"

#include <cstdio>

namespace {

std::int32_t InitialRemembered(LockKind kind) { return kind == LockKind::Terrestrial ? 6 : 16; }

unsigned Unsigned(std::int32_t value) { return static_cast<unsigned>(value); }

}   // namespace

const char* LockWaitFallbackText(LockKind kind)
{
    return kind == LockKind::Cable ? "Locking, Please wait......" : "Locking,Please wait......";
}

LockSequence::LockSequence(LockKind kind, DriverGate& gate, LockWorkerNotice notice, SwitchCommandSender* switches,
                           std::chrono::milliseconds waitLimit)
    : kind(kind), gate(gate), notice(std::move(notice)), switches(switches), waitLimit(waitLimit),
      state(std::make_shared<LockWorkerState>(InitialRemembered(kind)))
{
}

LockSequence::~LockSequence() { state->Abandon(); }

void LockSequence::Run(LockHost& host, const SatelliteRecord* satellite, const TransponderRecord* transponder,
                       bool silent)
{
    TakeEndedWorker(host);
    const bool hasTarget = satellite != nullptr && transponder != nullptr;
    const LockRequest next = hasTarget ? MakeLockRequest(kind, *satellite, *transponder) : LockRequest{};
    if (!silent && hasTarget && JoinRunningWorker(host, next))
        return;

    const auto deadline = std::chrono::steady_clock::now() + waitLimit;
    bool waitShown = false;
    std::optional<DriverLease> lease = TakeGate(host, silent, hasTarget, waitShown);
    if (!lease)
        return;
    if (host.IsFilterStarted()) {
        gate.Driver().StopFilter();
        host.Trace(".....Stop filter.....\n");
        host.SetFilterStarted(0);
    }
    if (!hasTarget)
        return;
    Tune(host, std::move(*lease), next, silent, waitShown, deadline);
}

void LockSequence::TakeEndedWorker(LockHost& host)
{
    if (!outstanding || !outstanding->completion->IsSignalled())
        return;
    if (!outstanding->handled)
        Finish(host, *outstanding);
    outstanding.reset();
}

bool LockSequence::JoinRunningWorker(LockHost& host, const LockRequest& next)
{
    if (!outstanding || outstanding->handled || outstanding->request != next)
        return false;
    host.SetTuningChanged(0);
    // Shown locked already: the running worker starts the filter when it is done.
    if (outstanding->lockedShown)
        return true;
    host.StopSignalTimer();
    host.ShowWaitDialog(true);
    const bool ended = outstanding->completion->WaitFor(waitLimit);
    host.ShowWaitDialog(false);
    if (ended)
        Finish(host, *outstanding);
    else
        GiveUpWaiting(host, *outstanding);
    host.StartSignalTimer();
    return true;
}

std::optional<DriverLease> LockSequence::TakeGate(LockHost& host, bool silent, bool hasTarget, bool& waitShown)
{
    if (std::optional<DriverLease> lease = gate.TryLease())
        return lease;
    // A silent lock never keeps the window waiting: the next poll tries again.
    if (silent)
        return std::nullopt;
    if (hasTarget) {
        host.ShowWaitDialog(true);
        waitShown = true;
    }
    std::optional<DriverLease> lease = gate.Lease(waitLimit);
    if (!lease) {
        if (waitShown)
            host.ShowWaitDialog(false);
        host.Trace("Lock refused: the card is still busy with an earlier call.\n");
        host.ReportCardBusy();
    }
    return lease;
}

void LockSequence::Tune(LockHost& host, DriverLease lease, const LockRequest& next, bool silent, bool waitShown,
                        std::chrono::steady_clock::time_point deadline)
{
    host.SetTuningChanged(0);
    host.StopSignalTimer();
    if (!silent && !waitShown)
        host.ShowWaitDialog(true);
    if (kind == LockKind::Satellite && switches != nullptr) {
        switches->SendTonePower();
        switches->SendDiseqcSwitch();
        switches->SendTonePower();
    }
    TraceRequest(host, next.values);
    PrepareRequest(next);

    // A fresh completion per request: the worker may end before the wait starts.
    auto completion = std::make_shared<LockCompletion>();
    const bool keptLocked = state->Result() == 0;
    lastLocked.reset();
    // From here on the icons speak of this target: not locked until its
    // own result says so, unless a kept lock of it still counts.
    host.ShowLockState(keptLocked ? 0 : state->Result());
    outstanding = WorkerRun{++lastRun, next, completion, keptLocked, false};
    lease.HandOver();
    StartLockWorker(gate.Driver(), std::move(lease), state, completion,
                    LockJob{kind, request.values, state->Epoch(), lastRun}, notice);

    if (!silent) {
        if (!keptLocked) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            completion->WaitFor(left > std::chrono::milliseconds(0) ? left : std::chrono::milliseconds(0));
        }
        host.ShowWaitDialog(false);
    }
    // A kept result: the worker's own result starts the filter when it comes.
    if (!keptLocked && completion->IsSignalled())
        Finish(host, *outstanding);
    else if (!keptLocked && !silent)
        GiveUpWaiting(host, *outstanding);
    host.StartSignalTimer();
}

void LockSequence::OnWorkerDone(LockHost& host, std::uint32_t run)
{
    if (!outstanding || outstanding->id != run)
        return;   // a later run took its place, or the run already took the result
    WorkerRun ended = *outstanding;
    outstanding.reset();
    if (!ended.handled)
        Finish(host, ended);
}

bool LockSequence::HasLocked(const SatelliteRecord* satellite, const TransponderRecord* transponder) const
{
    return satellite != nullptr && transponder != nullptr && !outstanding && lastLocked &&
           *lastLocked == MakeLockRequest(kind, *satellite, *transponder) && state->Result() == 0;
}

void LockSequence::Finish(LockHost& host, WorkerRun& run)
{
    run.handled = true;
    const std::int32_t result = state->Result();
    lastLocked = result == 0 ? std::optional<LockRequest>(run.request) : std::nullopt;
    if (result != 0) {
        host.ShowLockState(result);
        host.Trace("Lock channel Return Fail.\n");
        return;
    }
    if (!run.lockedShown)
        host.ShowLockState(0);
    StartFilterAfterLock(host);
}

// The wait is over and the worker has not answered: not locked, as far as
// anyone knows. Its result stays in the block for the next run.
void LockSequence::GiveUpWaiting(LockHost& host, WorkerRun& run)
{
    run.handled = true;
    lastLocked.reset();
    host.ShowLockState(state->Result());
    host.Trace("Lock channel Return Fail.\n");
}

LockRequest MakeLockRequest(LockKind kind, const SatelliteRecord& satellite, const TransponderRecord& transponder)
{
    switch (kind) {
    case LockKind::Satellite:
        return {{transponder.frequency, transponder.symbolRate, transponder.polarity, satellite.lnbType,
                 satellite.lnbPower, satellite.lnbFreq1, satellite.lnbFreq2},
                {satellite.tone22k > 0, satellite.lnbPower > 0,
                 DiseqcSwitchData(satellite.diseqcPort, transponder.polarity)}};
    case LockKind::Cable:
        return {{transponder.frequency, transponder.symbolRate, transponder.polarity, 0, 0, 0, 0}, {}};
    case LockKind::Terrestrial: break;
    }
    return {{transponder.frequency, transponder.symbolRate, 0, 0, 0, 0, 0}, {}};
}

void LockSequence::TraceRequest(LockHost& host, const LockValues& v) const
{
    char line[256];
    switch (kind) {
    case LockKind::Satellite:
        std::snprintf(line, sizeof line,
                      ".....Lock channel.....Frequency:%u,SymbolRate:%u,Polarity:%d,LNBType:%d,LNBPower:%d,"
                      "LNBPowerFreq1:%u,LNBPowerFreq2:%u\n",
                      Unsigned(v[0]), Unsigned(v[1]), v[2], v[3], v[4], Unsigned(v[5]), Unsigned(v[6]));
        break;
    case LockKind::Cable:
        std::snprintf(line, sizeof line, ".....Lock channel.....Frequency:%u,SymbolRate:%u,Polarity:%d\n",
                      Unsigned(v[0]), Unsigned(v[1]), v[2]);
        break;
    case LockKind::Terrestrial:
        std::snprintf(line, sizeof line, ".....Lock channel.....Frequency:%u,BandWidth:%u\n", Unsigned(v[0]),
                      Unsigned(v[1]));
        break;
    }
    host.Trace(line);
}

void LockSequence::PrepareRequest(const LockRequest& next)
{
    if (request != next)
        state->StartNewEpoch();
    request = next;
}

void LockSequence::StartFilterAfterLock(LockHost& host)
{
    host.Trace("Lock channel Return Ok.\n");
    host.Trace(".....Start Filter.....\n");
    if (gate.Driver().StartFilter() != 0) {
        host.Trace("Start Filter Return Fail.\n");
        host.SetFilterStarted(0);
        return;
    }
    host.Trace("Start Filter Return Ok.\n");
    host.SetFilterStarted(1);
    host.ReloadPids();
}
