#include "tuning/LockSequence.h"

#include "database/ChannelRecords.h"
#include "driver/ReceiverDriver.h"
#include "tuning/SwitchCommands.h"

#include <cstdio>

namespace {

std::int32_t InitialRemembered(LockKind kind) { return kind == LockKind::Terrestrial ? 6 : 16; }

unsigned Unsigned(std::int32_t value) { return static_cast<unsigned>(value); }

} // namespace

const char* LockWaitFallbackText(LockKind kind)
{
    return kind == LockKind::Cable ? "Locking, Please wait......" : "Locking,Please wait......";
}

LockSequence::LockSequence(LockKind kind, ReceiverDriver& driver, SwitchCommandSender* switches,
                           std::chrono::milliseconds waitLimit)
    : kind(kind), driver(driver), switches(switches), waitLimit(waitLimit),
      state(std::make_shared<LockWorkerState>(InitialRemembered(kind)))
{
}

LockSequence::~LockSequence() { state->Abandon(); }

void LockSequence::Run(LockHost& host, const SatelliteRecord* satellite,
                       const TransponderRecord* transponder, bool silent)
{
    if (host.IsFilterStarted()) {
        driver.StopFilter();
        host.Trace(".....Stop filter.....\n");
        host.SetFilterStarted(0);
    }
    if (satellite == nullptr || transponder == nullptr)
        return;
    host.SetTuningChanged(0);
    host.StopSignalTimer();
    if (!silent)
        host.ShowWaitDialog();
    if (kind == LockKind::Satellite && switches != nullptr) {
        switches->SendTonePower();
        switches->SendDiseqcSwitch();
        switches->SendTonePower();
    }
    const LockRequest next = MakeRequest(*satellite, *transponder);
    TraceRequest(host, next.values);
    PrepareRequest(next);

    // A fresh completion per request: the worker may end before the wait starts.
    auto completion = std::make_shared<LockCompletion>();
    StartLockWorker(driver, state, completion, LockJob{kind, request.values, state->Epoch()});
    if (!silent) {
        WaitForWorker(*completion);
        host.DestroyWaitDialog();
    }

    const std::int32_t result = state->Result();
    host.ShowLockState(result);
    if (result != 0)
        host.Trace("Lock channel Return Fail.\n");
    else
        StartFilterAfterLock(host);
    host.StartSignalTimer();
}

LockRequest LockSequence::MakeRequest(const SatelliteRecord& satellite,
                                      const TransponderRecord& transponder) const
{
    switch (kind) {
    case LockKind::Satellite:
        return {{transponder.frequency, transponder.symbolRate, transponder.polarity, satellite.lnbType,
                 satellite.lnbPower, satellite.lnbFreq1, satellite.lnbFreq2},
                {satellite.tone22k > 0, satellite.lnbPower > 0,
                 DiseqcSwitchData(satellite.diseqcPort, transponder.polarity)}};
    case LockKind::Cable:
        return {{transponder.frequency, transponder.symbolRate, transponder.polarity, 0, 0, 0, 0}, {}};
    case LockKind::Terrestrial:
        break;
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

void LockSequence::WaitForWorker(LockCompletion& completion)
{
    if (state->Result() != 0)
        completion.WaitFor(waitLimit);
}

void LockSequence::StartFilterAfterLock(LockHost& host)
{
    host.Trace("Lock channel Return Ok.\n");
    host.Trace(".....Start Filter.....\n");
    if (driver.StartFilter() != 0) {
        host.Trace("Start Filter Return Fail.\n");
        host.SetFilterStarted(0);
        return;
    }
    host.Trace("Start Filter Return Ok.\n");
    host.SetFilterStarted(1);
    host.ReloadPids();
}
