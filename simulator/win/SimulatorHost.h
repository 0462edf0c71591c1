// The one card behind the exported driver calls. Every call runs under one
// mutex; an injected delay and the card's lock time are waited out without
// it, so that a call the program makes while a hanging LockChannel3 is in
// flight reaches the card, and the log remarks on it.
#pragma once

#include "simulator/CallsInFlight.h"
#include "simulator/CardModel.h"
#include "simulator/Clock.h"
#include "simulator/DriverCall.h"
#include "simulator/FaultPlan.h"
#include "simulator/win/CallLogFile.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>

namespace quarlink {

struct CallOutcome {
    int result = 0;
    std::string outputs;   // what the call handed back, for the log
    std::string bus;       // what a positioner received, for the log
    std::string note;
    std::uint32_t busyMs = 0;   // the card works this long before the call returns
};

class SimulatorHost {
public:
    static SimulatorHost& Instance();

    // Work: int (CardModel&, CallOutcome&), run under the mutex.
    template <class Work>
    int Run(DriverCall call, const std::string& arguments, Work&& work)
    {
        const FaultAction fault = BeginCall(call);
        if (fault.delayMs != 0)
            Sleep(fault.delayMs);
        CallOutcome outcome;
        if (fault.replaceResult) {
            outcome.result = fault.result;
        } else {
            std::lock_guard<std::mutex> lock(mutex);
            try {
                outcome.result = work(*card, outcome);
            } catch (const std::exception& error) {
                outcome.result = kCardFailed;
                outcome.note = error.what();
            }
        }
        if (outcome.busyMs != 0)
            Sleep(outcome.busyMs);
        EndCall(call, arguments, fault, outcome);
        return outcome.result;
    }

private:
    SimulatorHost() = default;
    // Also remarks on a call that starts while others are in flight; EndCall
    // notes its return.
    FaultAction BeginCall(DriverCall call);
    void LoadConfiguration();
    void EndCall(DriverCall call, const std::string& arguments, const FaultAction& fault, const CallOutcome& outcome);

    std::mutex mutex;
    CallsInFlight inFlight;
    SteadyClock clock;
    std::unique_ptr<FaultPlan> faults;
    std::unique_ptr<CardModel> card;
    CallLogFile log;
};

// A call without arguments and outputs, logged with the positioner bytes it sends, if any.
int RunPlainCall(DriverCall call, int (CardModel::*method)());

// Set by DllMain: the simulator's own module, beside which its configuration lies.
extern HMODULE simulatorModule;

}   // namespace quarlink
