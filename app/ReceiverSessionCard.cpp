// The session's work with the card: the start-up's steps, waiting for the
// card, the signal poll and its silent re-lock, the dish, and the exit's last
// driver calls.
#include "app/ReceiverSession.h"

#include "reception/StartupMacAddress.h"
#include "tuning/MotorCommands.h"

namespace {
constexpr MessageRef kCardBusy{
    "String130", "The card does not answer: it is still busy with an earlier command. Try again in a moment."};
}

bool ReceiverSession::StartCard()
{
    ReceiverDriver& card = gate.Driver();
    if (card.InitDise() != 0)
        return false;
    deviceKind = card.GetCIInfo();
    LoadDatabase();
    watchdog.SetTime(ReadDataWatchdog(*settingsKey.Open(false)));
    initialLockPending = true;
    return true;
}

void ReceiverSession::FinishStart(AdapterRegistry& adapters)
{
    const MacAddress filter = ApplyStartupMacAddresses(gate.Driver(), adapters, trace);
    SetFilterMacAddress(filter);
    if (pidPage != nullptr)
        pidPage->ShowMacAddress(filter);
    starting = false;
    if (startupLockWaits) {
        startupLockWaits = false;
        startupLockRan = true;
        LockCurrent(true);
    }
}

void ReceiverSession::RunStartupLock(bool silent)
{
    if (!initialLockPending)
        return;
    StopSignalTimer();
    // The silent lock of the first reading has locked these very records
    // already; a worker of it still tuning is joined by the lock.
    if (!(startupLockRan && lockingPage != nullptr && lockingPage->HasLocked()))
        LockCurrent(silent);
    initialLockPending = false;
    StartSignalTimer();
}

void ReceiverSession::LockCurrent(bool silent)
{
    if (lockingPage != nullptr)
        lockingPage->LockCurrent(silent);
}

void ReceiverSession::OnLockWorkerDone(std::uint32_t run)
{
    if (lockingPage != nullptr)
        lockingPage->OnLockWorkerDone(run);
}

bool ReceiverSession::AwaitCard()
{
    if (gate.WaitUntilFree(gate.CallWait()))
        return true;
    ReportCardBusy();
    return false;
}

void ReceiverSession::ReportCardBusy()
{
    Trace("The command was refused: the card is still busy with an earlier call.\n");
    view.Tell(view.Text(kCardBusy));
}

void ReceiverSession::CheckCardAnswers()
{
    // Only a tune can hold the card that long: every other call is one
    // command of the user-interface thread.
    const std::optional<CallInFlight> call = gate.CurrentCall();
    const bool answering = !call || call->name != "LockChannel3" || call->elapsed <= gate.CallWait();
    if (answering == cardAnswering)
        return;
    cardAnswering = answering;
    if (!answering)
        Trace("The card does not answer: LockChannel3 has not returned for " + std::to_string(call->elapsed.count()) +
              " ms.\n");
    ShowLockDisplay();
}

std::optional<SignalPoll> ReceiverSession::PollSignal()
{
    CheckCardAnswers();
    if (SkipsTimerTurn(true))
        return std::nullopt;
    const std::optional<SignalReading> reading = ReadSignal(gate.Driver());
    if (!reading)
        return std::nullopt;
    SignalContext context;
    context.hasCurrentTransponder = database.CurrentTransponder() != nullptr;
    context.filterStarted = filterStarted != 0;
    context.deviceType = [this] { return gate.Driver().GetDeviceType(); };
    const SignalDisplay display = signalMonitor.Show(*reading, context);
    if (display.lockState) {
        // A lost lock: what was kept of the last lock no longer counts.
        if (*display.lockState != 0 && lockingPage != nullptr)
            lockingPage->ForgetKeptResult();
        ShowLockState(*display.lockState);
    }
    if (!display.trace.empty())
        Trace(display.trace);
    if (ShouldRelockSilently(display.relock, reading->lockValue > 0)) {
        // During the start-up the lock waits until the MAC addresses are
        // set, so that nothing else reaches the card while it tunes.
        if (starting)
            startupLockWaits = true;
        else
            LockCurrent(true);
    }
    return SignalPoll{*reading, display};
}

bool ReceiverSession::ShouldRelockSilently(bool monitorAsks, bool cardReportsLock)
{
    // A hold button drives the dish, a scan has the card, or a resume's
    // restore is still to come.
    if (dishDriving || scanRunning || power.RestorePending())
        return false;
    if (cardReportsLock && relockOnReportedLock) {
        relockOnReportedLock = false;
        return true;
    }
    return monitorAsks;
}

void ReceiverSession::DishMoved()
{
    if (lockingPage != nullptr)
        lockingPage->ForgetKeptResult();
    lockedTarget.reset();
    relockOnReportedLock = true;
    ShowLockDisplay();
}

void ReceiverSession::RefreshPidMacs()
{
    if (pidPage != nullptr)
        pidPage->RefreshPidMacs();
}

bool ReceiverSession::ShutDownDriver(const std::function<void()>& traceEnd, std::chrono::milliseconds wait)
{
    std::optional<DriverLease> lease = gate.Lease(wait);
    if (!lease) {
        const std::optional<CallInFlight> call = gate.CurrentCall();
        Trace(std::string(call ? call->name : "A driver call") +
              " has not returned: nothing more is sent to the card.\n");
        traceEnd();
        gate.Close();
        return false;
    }
    ReceiverDriver& card = gate.Driver();
    if (dishDriving) {
        StopMotorTwice(card, SleepFor);
        dishDriving = false;
    }
    if (filterStarted != 0) {
        Trace(".....Stop Filter.....\n");
        if (card.StopFilter() == 0) {
            Trace("Stop Filter Return Ok.\n");
            filterStarted = 0;
        } else {
            Trace("Stop Filter Return Fail.\n");
        }
    }
    traceEnd();
    card.SetDiseCom1(0, 0, 0, 0);
    card.ReleaseDise();
    gate.Close();
    return true;
}
