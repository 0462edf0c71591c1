#include "reception/PidPageRules.h"

#include "reception/FormatText.h"
#include "reception/PidInfoRules.h"

#include <memory>

using namespace reception;

namespace {

constexpr int kSmallDeviceType = 1;
constexpr int kSmallDeviceLoadLimit = 8;
constexpr int kLoadLimit = 16;

std::uint16_t CardPid(const PidRecord& record)
{
    return static_cast<std::uint16_t>(record.pid);
}

std::uint8_t CardType(const PidRecord& record)
{
    return static_cast<std::uint8_t>(record.type);
}

}  // namespace

PidPageRules::PidPageRules(CChannelDatabase& database, ReceiverDriver& driver, PidPageHost& host)
    : database(database), driver(driver), host(host)
{
}

bool PidPageRules::HasCurrentTransponder() const
{
    return database.CurrentSatellite() != nullptr && database.CurrentTransponder() != nullptr;
}

std::vector<PidRecord*> PidPageRules::CurrentPids() const
{
    std::vector<PidRecord*> pids;
    if (!HasCurrentTransponder())
        return pids;
    const TransponderRecord& transponder = *database.CurrentTransponder();
    for (PidRecord* pid = transponder.firstPid;
         pid != nullptr && static_cast<std::int32_t>(pids.size()) < transponder.pidCount; pid = pid->next)
        pids.push_back(pid);
    return pids;
}

std::vector<PidRow> PidPageRules::Refresh()
{
    loadedCount = 0;
    std::vector<PidRow> rows;
    for (PidRecord* pid : CurrentPids()) {
        rows.push_back(MakePidRow(*pid));
        if (pid->loaded != 0)
            ++loadedCount;
    }
    return rows;
}

int PidPageRules::LoadLimit() const
{
    return driver.GetDeviceType() == kSmallDeviceType ? kSmallDeviceLoadLimit : kLoadLimit;
}

bool PidPageRules::TakeLoadSlot()
{
    if (loadedCount >= LoadLimit())
        return false;
    ++loadedCount;
    return true;
}

void PidPageRules::GiveBackLoadSlot()
{
    if (loadedCount > 0)
        --loadedCount;
}

void PidPageRules::TraceAndDebug(const std::string& line)
{
    host.DebugOutput(line);
    host.Trace(line);
}

PidOutcome PidPageRules::LoadPid(PidRecord* record)
{
    if (record == nullptr)
        return {};
    if (!host.IsLocked() || !host.IsFilterStarted() || host.IsTuningChanged()) {
        record->loaded = 1;
        return {true, {}};
    }
    if (record->loaded == 1)
        return {};
    TraceAndDebug(FormatText(".....Add PID.....PID Value:%d,PID Type:%d.\n", record->pid, record->type));
    if (driver.SetDataPID(CardPid(*record), CardType(*record), 1) != 0) {
        host.Trace("Add PID Return Fail.\n");
        return {false, ReceptionMessages::kPidLoadFailed};
    }
    host.Trace("Add PID Return Ok.\n");
    record->loaded = 1;
    return {true, {}};
}

PidOutcome PidPageRules::UnloadPid(PidRecord* record)
{
    if (record == nullptr || record->loaded == 0)
        return {};
    if (host.IsLocked() && host.IsFilterStarted()) {
        TraceAndDebug(FormatText(".....Del PID.....PID Value:%d,PID Type:%d.\n", record->pid, record->type));
        if (driver.SetDataPID(CardPid(*record), CardType(*record), 0) != 0) {
            host.Trace("Del PID Return Fail.\n");
            return {false, ReceptionMessages::kPidUnloadFailed};
        }
        host.Trace("Del PID Return Ok.\n");
    }
    record->loaded = 0;
    return {true, {}};
}

void PidPageRules::ReloadPids()
{
    if (!HasCurrentTransponder() || !host.IsLocked() || !host.IsFilterStarted())
        return;
    for (PidRecord* pid : CurrentPids()) {
        if (pid->loaded == 1)
            driver.SetDataPID(CardPid(*pid), CardType(*pid), 1);
    }
}

PidOutcome PidPageRules::Add(int pidValue)
{
    if (!HasCurrentTransponder())
        return {};
    if (pidValue < kMinDataPid || pidValue > kMaxDataPid)
        return {false, ReceptionMessages::kPidOutOfRange};
    auto record = std::make_unique<PidRecord>();
    record->type = PidInfoRules::PidType();
    record->pid = pidValue;
    if (database.FindPid(record.get()) != nullptr)
        return {false, ReceptionMessages::kPidAlreadyExists};

    PidRecord* added = record.get();
    if (database.AddPid(std::move(record), 1) == 0)
        return {};
    PidOutcome outcome{true, {}};
    if (TakeLoadSlot()) {
        const PidOutcome load = LoadPid(added);
        if (!load.done)
            GiveBackLoadSlot();
        outcome.message = load.message;
    }
    host.MarkSettingsChanged();
    return outcome;
}

PidOutcome PidPageRules::Load(PidRecord* selected)
{
    if (selected == nullptr)
        return {};
    const bool takesSlot = selected->loaded != 1;
    if (takesSlot && !TakeLoadSlot())
        return {};
    PidOutcome outcome = LoadPid(selected);
    if (outcome.done)
        host.MarkSettingsChanged();
    else if (takesSlot)
        GiveBackLoadSlot();
    return outcome;
}

PidOutcome PidPageRules::Unload(PidRecord* selected)
{
    if (selected == nullptr)
        return {};
    const bool givesSlot = selected->loaded != 0;
    if (givesSlot)
        GiveBackLoadSlot();
    PidOutcome outcome = UnloadPid(selected);
    if (outcome.done)
        host.MarkSettingsChanged();
    else if (givesSlot)
        TakeLoadSlot();
    return outcome;
}

PidOutcome PidPageRules::Remove(PidRecord* selected)
{
    if (selected == nullptr)
        return {};
    PidOutcome outcome{true, {}};
    if (selected->loaded == 1) {
        // The PID leaves the database even when the card refuses to drop it.
        outcome.message = UnloadPid(selected).message;
        GiveBackLoadSlot();
    }
    PidRecord probe = *selected;
    probe.next = nullptr;
    database.RemovePid(&probe);
    host.MarkSettingsChanged();
    return outcome;
}

std::optional<StatisticsReading> PidPageRules::RefreshStatistics()
{
    if (!HasCurrentTransponder())
        return std::nullopt;
    return ReadStatistics(driver, [this](const std::string& line) { host.DebugOutput(line); });
}

std::vector<std::string> PidPageRules::RefreshPidMacs(const std::vector<const PidRecord*>& rows)
{
    std::vector<std::string> texts;
    if (!HasCurrentTransponder())
        return texts;
    const TextSink trace = [this](const std::string& line) { host.Trace(line); };
    const TextSink debugOutput = [this](const std::string& line) { host.DebugOutput(line); };
    for (const PidRecord* row : rows)
        texts.push_back(row != nullptr ? ReadPidMacText(driver, row->pid, trace, debugOutput) : kUnknownMacText);
    return texts;
}
