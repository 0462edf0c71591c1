#include "simulator/win/SimulatorHost.h"

#include "simulator/CallLogFormat.h"
#include "simulator/win/SimulatorFiles.h"

namespace quarlink {

HMODULE simulatorModule = nullptr;

namespace {

constexpr std::size_t kLargestConfiguration = 1024 * 1024;

void Remark(CallLogFile& log, const std::string& text)
{
    OutputDebugStringA(("Quarlink simulator: " + text + "\n").c_str());
    log.Write("# " + text);
}

}   // namespace

// Never destroyed: a worker thread may still be inside a call while the
// process ends, and every log line is flushed as it is written.
SimulatorHost& SimulatorHost::Instance()
{
    static SimulatorHost* host = new SimulatorHost();
    return *host;
}

FaultAction SimulatorHost::BeginCall(DriverCall call)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!card)
        LoadConfiguration();
    const std::string overlap = inFlight.Begin(call);
    if (!overlap.empty())
        Remark(log, overlap);
    return faults->Take(call);
}

void SimulatorHost::LoadConfiguration()
{
    const std::string path = ConfigurationPath(simulatorModule);
    std::string problem;
    CardConfig config = ReadCardConfig(ReadConfigurationText(path, kLargestConfiguration, problem));
    const std::string logPath = LogPath(path, config.logFile);
    if (!logPath.empty() && !log.Open(logPath))
        OutputDebugStringA(("Quarlink simulator: cannot open the call log " + logPath + "\n").c_str());
    Remark(log, "configuration " + path + (problem.empty() ? "" : ": " + problem));
    for (const std::string& warning : config.warnings)
        Remark(log, path + " " + warning);
    faults = std::make_unique<FaultPlan>(config.faults);
    card = std::make_unique<CardModel>(std::move(config), clock);
}

void SimulatorHost::EndCall(DriverCall call, const std::string& arguments, const FaultAction& fault,
                            const CallOutcome& outcome)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        inFlight.End(call);
    }
    if (!log.IsOpen())
        return;
    std::string note;
    if (fault.replaceResult)
        note = "fault";
    if (fault.delayMs != 0)
        note += (note.empty() ? "" : ", ") + std::string("blocked ") + std::to_string(fault.delayMs) + " ms";
    if (!outcome.note.empty())
        note += (note.empty() ? "" : ", ") + outcome.note;
    log.Write(CallLine(DriverCallName(call), arguments, outcome.result, outcome.outputs, outcome.bus, note));
}

int RunPlainCall(DriverCall call, int (CardModel::*method)())
{
    return SimulatorHost::Instance().Run(call, "", [&](CardModel& card, CallOutcome& outcome) {
        const int result = (card.*method)();
        if (result == kCardOk)
            outcome.bus = PositionerBusText(call, 0);
        return result;
    });
}

}   // namespace quarlink
