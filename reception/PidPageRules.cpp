#include "reception/PidPageRules.h"

#include "reception/FormatText.h"
#include "reception/PidInfoRules.h"

#include <memory>

using namespace reception;

namespace {

constexpr int kSmallDeviceType = 1;
constexpr int kSmallDeviceLoadLimit = 8;
constexpr int kLoadLimit = 16;

std::uint16_t CardPid(const PidRecord& record) { return static_cast<std::uint16_t>(record.pid); }

std::uint8_t CardType(const PidRecord& record) { return static_cast<std::uint8_t>(record.type); }

}   // namespace

PidPageRules::PidPageRules(CChannelDatabase& database, PageHost& host)
    : database(database), host(host), driver(host.Driver())
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
        rows.push_back(MakePidRow(*pid, IsRefused(*pid)));
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

bool PidPageRules::SendPid(const PidRecord& record)
{
    TraceAndDebug(FormatText(".....Add PID.....PID Value:%d,PID Type:%d.\n", record.pid, record.type));
    const bool taken = driver.SetDataPID(CardPid(record), CardType(record), 1) == 0;
    host.Trace(taken ? "Add PID Return Ok.\n" : "Add PID Return Fail.\n");
    return taken;
}

bool PidPageRules::HasAcceptedPid() const
{
    for (const PidRecord* pid : CurrentPids())
        if (pid->loaded == 1 && !IsRefused(*pid))
            return true;
    return false;
}

bool PidPageRules::IsRefused(const PidRecord& record) const
{
    const TransponderRecord* transponder = database.CurrentTransponder();
    for (const RefusedPid& entry : refused) {
        if (entry.transponder == transponder && entry.pid == record.pid && entry.type == record.type)
            return true;
    }
    return false;
}

void PidPageRules::SetRefused(const PidRecord& record, bool isRefused)
{
    const TransponderRecord* transponder = database.CurrentTransponder();
    std::erase_if(refused, [&](const RefusedPid& entry) {
        return entry.transponder == transponder && entry.pid == record.pid && entry.type == record.type;
    });
    if (isRefused)
        refused.push_back({transponder, record.pid, record.type});
}

int PidPageRules::Image(const PidRecord& record) const { return PidImage(record, IsRefused(record)); }

PidOutcome PidPageRules::LoadPid(PidRecord* record)
{
    if (record == nullptr)
        return {};
    if (!host.IsLocked() || !host.IsFilterStarted() || host.IsTuningChanged()) {
        record->loaded = 1;
        SetRefused(*record, false);   // it goes to the card with the next lock
        return {true, {}};
    }
    if (record->loaded == 1 && !IsRefused(*record))
        return {};
    if (!SendPid(*record))
        return {false, ReceptionMessages::kPidLoadFailed};
    record->loaded = 1;
    SetRefused(*record, false);
    return {true, {}};
}

PidOutcome PidPageRules::UnloadPid(PidRecord* record)
{
    if (record == nullptr || record->loaded == 0)
        return {};
    // A PID the card refused is not in its filter: the card would refuse to drop it too.
    if (host.IsLocked() && host.IsFilterStarted() && !IsRefused(*record)) {
        TraceAndDebug(FormatText(".....Del PID.....PID Value:%d,PID Type:%d.\n", record->pid, record->type));
        if (driver.SetDataPID(CardPid(*record), CardType(*record), 0) != 0) {
            host.Trace("Del PID Return Fail.\n");
            return {false, ReceptionMessages::kPidUnloadFailed};
        }
        host.Trace("Del PID Return Ok.\n");
    }
    record->loaded = 0;
    SetRefused(*record, false);
    return {true, {}};
}

void PidPageRules::ReloadPids()
{
    // The filter was started afresh: what it refused before no longer counts.
    refused.clear();
    if (!HasCurrentTransponder() || !host.IsLocked() || !host.IsFilterStarted())
        return;
    for (PidRecord* pid : CurrentPids()) {
        if (pid->loaded == 1 && !SendPid(*pid))
            SetRefused(*pid, true);
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
    host.MarkSettingsChanged(0);
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
        host.MarkSettingsChanged(0);
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
        host.MarkSettingsChanged(0);
    else if (givesSlot)
        TakeLoadSlot();
    return outcome;
}

PidOutcome PidPageRules::Remove(PidRecord* selected)
{
    if (selected == nullptr)
        return {};
    if (selected->loaded == 1) {
        if (!UnloadPid(selected).done)
            return {false, ReceptionMessages::kPidRemoveRefused};
        GiveBackLoadSlot();
    }
    PidRecord probe = *selected;
    probe.next = nullptr;
    database.RemovePid(&probe);
    host.MarkSettingsChanged(0);
    return {true, {}};
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
