#include "tuning/ChannelScan.h"

#include "common/CardKind.h"
#include "database/SatelliteListRules.h"
#include "tuning/BandPlans.h"
#include "tuning/ScanTexts.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct KnownChannel {
    std::int32_t frequency;
    std::int32_t halfWidth;
};

std::vector<KnownChannel> ListedChannels(const CChannelDatabase& database, bool terrestrial)
{
    std::vector<KnownChannel> known;
    for (const SatelliteRecord* s = database.Root() ? database.Root()->firstSatellite : nullptr; s; s = s->next) {
        for (const TransponderRecord* t = s->firstTransponder; t; t = t->next)
            known.push_back({t->frequency, ChannelHalfWidthKhz(terrestrial, t->symbolRate)});
    }
    return known;
}

bool IsKnown(const std::vector<KnownChannel>& known, std::int32_t frequency)
{
    return std::any_of(known.begin(), known.end(), [frequency](const KnownChannel& channel) {
        return std::llabs(static_cast<long long>(frequency) - channel.frequency) < channel.halfWidth;
    });
}

std::unique_ptr<TransponderRecord> TuningRecordOf(const FoundChannel& channel, bool terrestrial)
{
    auto record = std::make_unique<TransponderRecord>();
    record->frequency = channel.frequency;
    if (terrestrial)
        record->symbolRate = channel.lockedValue;
    else
        record->polarity = channel.lockedValue;
    return record;
}

void AppendCount(std::string& summary, const std::string& label, std::size_t count)
{
    summary += label + ' ' + std::to_string(count) + "\r\n";
}

}   // namespace

ChannelScanPlan PlanChannelScan(const CChannelDatabase& database, LockKind kind,
                                const std::vector<std::int32_t>& frequencies)
{
    ChannelScanPlan plan;
    plan.job.kind = kind;
    const std::vector<KnownChannel> known = ListedChannels(database, kind == LockKind::Terrestrial);
    for (std::int32_t frequency : frequencies) {
        if (IsKnown(known, frequency)) {
            ++plan.alreadyInList;
            continue;
        }
        TransponderRecord target;
        target.frequency = frequency;
        plan.job.targets.push_back(target);
    }
    return plan;
}

std::vector<FoundChannel> FoundChannels(const ScanJob& job, const std::vector<ScanStep>& steps)
{
    std::vector<FoundChannel> found;
    for (const ScanStep& step : steps) {
        if (step.locked && step.index < job.targets.size())
            found.push_back({job.targets[step.index].frequency, step.lockedValue});
    }
    return found;
}

FoundChannelsAdded AddFoundChannels(CChannelDatabase& database, int deviceKind, const std::vector<FoundChannel>& found,
                                    NameComparison sameName)
{
    FoundChannelsAdded result;
    SatelliteRecord* channel = database.CurrentSatellite();
    TransponderRecord* tuning = database.CurrentTransponder();
    PidRecord* pid = database.CurrentPid();
    for (const FoundChannel& each : found) {
        const std::string name = FrequencyChannelName(static_cast<std::uint32_t>(each.frequency));
        const SatelliteEditResult made = CreateSatellite(database, name, kChannelDegree, deviceKind, sameName);
        if (made.outcome != SatelliteEditOutcome::Added) {
            ++result.nameTaken;
            continue;
        }
        database.AddTransponder(TuningRecordOf(each, IsTerrestrialCard(deviceKind)), 1);
        ++result.added;
    }
    database.SelectSatellite(channel);
    database.SelectTransponder(tuning);
    database.SelectPid(pid);
    if (result.added > 0)
        result.effects.markSettingsChanged = true;
    return result;
}

std::string ChannelScanSummary(const ChannelScanCounts& counts, const MessageLookup& text)
{
    std::string summary;
    AppendCount(summary, TextOf(text, kFrequenciesTried), counts.tried);
    AppendCount(summary, TextOf(text, kAddedLabel), counts.added);
    AppendCount(summary, TextOf(text, kAlreadyThereLabel), counts.alreadyInList);
    if (counts.cancelled)
        summary.append("\r\n").append(TextOf(text, kScanCancelled)).append("\r\n");
    if (counts.added > 0)
        summary.append("\r\n").append(TextOf(text, kFoundChannelsPending));
    return summary;
}
