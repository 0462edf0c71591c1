#include "database/SatelliteListRules.h"

#include "common/CardKind.h"
#include "common/DecimalText.h"
#include "common/FieldText.h"
#include "database/ChannelDefaults.h"
#include "database/SatelliteInfoRules.h"

namespace {

MessageRef AlreadyExistsMessage(int deviceKind)
{
    if (IsChannelMode(deviceKind))
        return {"String30", "This channel already exists."};
    return {"String19", "This satellite already exists."};
}

SatelliteRecord MakeProbe(std::string_view name, std::int32_t degree)
{
    SatelliteRecord probe;
    SetFieldText(probe.name, name);
    probe.degree = degree;
    return probe;
}

void SelectSavedTransponderAndPid(CChannelDatabase& database, const SatelliteRecord& satellite,
                                  const SavedSelection& saved)
{
    if (!saved.transponderName.empty()) {
        for (TransponderRecord* t = satellite.firstTransponder; t; t = t->next) {
            if (FieldText(t->name) == saved.transponderName) {
                database.SelectTransponder(t);
                break;
            }
        }
    }
    if (saved.pid.empty() || !database.CurrentTransponder())
        return;
    const std::int32_t pid = ReadLeadingNumber(saved.pid);
    for (PidRecord* p = database.CurrentTransponder()->firstPid; p; p = p->next) {
        if (p->pid == pid) {
            database.SelectPid(p);
            break;
        }
    }
}

// Whether a satellite other than `current` has the probe's name, in any
// letter case, and its degree.
bool IsAnotherSatellite(const CChannelDatabase& database, const SatelliteRecord& probe, const SatelliteRecord& current,
                        AnsiCaseComparison sameName)
{
    for (const SatelliteRecord* s = database.Root()->firstSatellite; s; s = s->next) {
        if (s != &current && s->degree == probe.degree && sameName(FieldText(s->name), FieldText(probe.name)))
            return true;
    }
    return false;
}

bool MatchesSaved(const SatelliteRecord& satellite, const SavedSelection& saved)
{
    return FieldText(satellite.name) == saved.satelliteName && satellite.degree == saved.degree;
}

SatelliteEditResult Refused(SatelliteEditOutcome outcome, MessageRef error)
{
    SatelliteEditResult result;
    result.outcome = outcome;
    result.error = error;
    result.effects.markSettingsChanged = true;
    return result;
}

SatelliteEditResult Done(SatelliteEditOutcome outcome, SatelliteRecord* record, bool tuningChanged)
{
    SatelliteEditResult result;
    result.outcome = outcome;
    result.record = record;
    if (record)
        result.savedDegree = record->degree;
    result.effects = {tuningChanged, true, true};
    return result;
}

}   // namespace

int EnsureDefaultChannel(CChannelDatabase& database, int deviceKind)
{
    if (!IsChannelMode(deviceKind) || !database.Root() || database.Root()->firstSatellite)
        return 0;
    auto channel = std::make_unique<SatelliteRecord>();
    SetFieldText(channel->name, kDefaultChannelName);
    channel->degree = kChannelDegree;
    if (!database.AddSatellite(std::move(channel), 1))
        return 0;
    database.AddTransponder(MakeDefaultTuningRecord(IsTerrestrialCard(deviceKind)), 1);
    return 1;
}

SatelliteListFill BuildSatelliteList(CChannelDatabase& database, int deviceKind, const SavedSelection& saved)
{
    SatelliteListFill fill;
    if (!database.Root())
        return fill;
    EnsureDefaultChannel(database, deviceKind);
    bool matched = false;
    for (SatelliteRecord* s = database.Root()->firstSatellite; s; s = s->next) {
        fill.items.push_back({std::string(FieldText(s->name)), s});
        if (!matched && MatchesSaved(*s, saved)) {
            matched = true;
            database.SelectSatellite(s);
            SelectSavedTransponderAndPid(database, *s, saved);
        }
    }
    if (fill.items.empty())
        return fill;
    // The item of the current satellite: the matched one, else the one loading
    // or removing left current (the first).
    fill.selectedIndex = 0;
    for (std::size_t i = 0; i < fill.items.size(); ++i) {
        if (fill.items[i].record == database.CurrentSatellite())
            fill.selectedIndex = static_cast<int>(i);
    }
    if (database.CurrentSatellite())
        fill.savedDegree = database.CurrentSatellite()->degree;
    return fill;
}

MainDialogEffects ChooseSatellite(CChannelDatabase& database, std::string_view chosenName, SatelliteRecord* itemRecord,
                                  AnsiCaseComparison sameName)
{
    if (chosenName.empty() || !itemRecord)
        return {};
    const SatelliteRecord probe = MakeProbe(chosenName, itemRecord->degree);
    if (!database.FindSatellite(&probe, sameName))
        return {};
    const SatelliteRecord* satelliteBefore = database.CurrentSatellite();
    const TransponderRecord* transponderBefore = database.CurrentTransponder();
    // The item's own record, not the first case-insensitive match: a file can
    // hold two satellites whose names differ only in letter case.
    database.SelectSatellite(itemRecord);
    const bool tuningChanged = satelliteBefore && (satelliteBefore != database.CurrentSatellite() ||
                                                   transponderBefore != database.CurrentTransponder());
    return {tuningChanged, true, true};
}

SatelliteEditResult CreateSatellite(CChannelDatabase& database, std::string_view name, std::int32_t degree,
                                    int deviceKind, AnsiCaseComparison sameName)
{
    const bool channelMode = IsChannelMode(deviceKind);
    const SatelliteInfoCheck check = CheckSatelliteInfo(name, SatelliteDegreeText(degree), channelMode);
    if (!check.ok)
        return Refused(SatelliteEditOutcome::Invalid, check.message);

    auto record = std::make_unique<SatelliteRecord>();
    SetFieldText(record->name, name);
    record->degree = channelMode ? kChannelDegree : degree;
    record->lnbPower = 1;
    if (database.FindSatellite(record.get(), sameName))
        return Refused(SatelliteEditOutcome::Duplicate, AlreadyExistsMessage(deviceKind));

    SatelliteRecord* added = record.get();
    if (!database.AddSatellite(std::move(record), 1))
        return {};
    added->lnbType = 1;   // Universal
    return Done(SatelliteEditOutcome::Added, added, true);
}

SatelliteEditResult ChangeSatellite(CChannelDatabase& database, std::string_view name, std::int32_t degree,
                                    int deviceKind, AnsiCaseComparison sameName)
{
    SatelliteRecord* current = database.CurrentSatellite();
    if (!current)
        return {};
    const bool channelMode = IsChannelMode(deviceKind);
    if (channelMode)
        degree = current->degree;
    const SatelliteInfoCheck check = CheckSatelliteInfo(name, SatelliteDegreeText(degree), channelMode);
    if (!check.ok)
        return Refused(SatelliteEditOutcome::Invalid, check.message);

    const SatelliteRecord probe = MakeProbe(name, degree);
    if (IsAnotherSatellite(database, probe, *current, sameName))
        return Refused(SatelliteEditOutcome::Duplicate, AlreadyExistsMessage(deviceKind));
    // Only an exact repeat changes nothing: a new letter case is a new name.
    if (FieldText(probe.name) == FieldText(current->name) && degree == current->degree)
        return Refused(SatelliteEditOutcome::Unchanged, {});
    SetFieldText(current->name, name);
    current->degree = degree;
    return Done(SatelliteEditOutcome::Changed, current, false);
}

MessageRef RemoveSatelliteQuestion(int deviceKind)
{
    if (IsChannelMode(deviceKind))
        return {"String31", "Are you sure to remove the current channel?"};
    return {"String20", "Are you sure to remove the current satellite?"};
}

SatelliteEditResult RemoveCurrentSatellite(CChannelDatabase& database, int deviceKind)
{
    const SatelliteRecord* current = database.CurrentSatellite();
    if (!current)
        return {};
    // A copy as the probe: the matched record is freed during the call.
    const SatelliteRecord probe = MakeProbe(FieldText(current->name), current->degree);
    database.RemoveSatellite(&probe);
    EnsureDefaultChannel(database, deviceKind);
    return Done(SatelliteEditOutcome::Removed, nullptr, true);
}
