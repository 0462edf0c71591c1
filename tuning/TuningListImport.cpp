#include "tuning/TuningListImport.h"

#include "common/CardKind.h"
#include "common/FieldText.h"
#include "common/FileIo.h"
#include "database/SatelliteInfoRules.h"
#include "database/SatelliteListRules.h"
#include "tuning/CableRules.h"
#include "tuning/TerrestrialRules.h"
#include "tuning/TransponderInfoRules.h"
#include "tuning/TransponderNames.h"
#include "tuning/TuningListParser.h"

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_set>

namespace {

constexpr MainDialogEffects kDatabaseChanged{true, true, true};

DeliveryFamily CardFamily(int deviceKind)
{
    if (IsSatelliteCard(deviceKind))
        return DeliveryFamily::Satellite;
    return IsTerrestrialCard(deviceKind) ? DeliveryFamily::Terrestrial : DeliveryFamily::Cable;
}

bool InRange(std::uint32_t value, const TuningFieldRange& range)
{
    return value >= static_cast<std::uint32_t>(range.minimum) && value <= static_cast<std::uint32_t>(range.maximum);
}

template <std::size_t N>
bool InTable(std::uint32_t value, const std::int32_t (&table)[N])
{
    return std::find(std::begin(table), std::end(table), static_cast<std::int32_t>(value)) != std::end(table);
}

// The ranges of the Transponder Info dialog and the channel pages.
bool ValuesAccepted(const ListedEntry& entry)
{
    switch (entry.family) {
    case DeliveryFamily::Satellite:
        return IsSatelliteFrequencyValid(entry.frequency) && IsSatelliteSymbolRateValid(entry.symbolRate);
    case DeliveryFamily::Cable:
        return InRange(entry.frequency, kCableFrequencyRange) && InRange(entry.symbolRate, kCableSymbolRateRange) &&
               InTable(entry.qamSize, kQamValues);
    case DeliveryFamily::Terrestrial:
        return InRange(entry.frequency, kTerrestrialFrequencyRange) && InTable(entry.bandwidth, kBandwidthValues);
    default: return false;
    }
}

// Sorts an entry the card's kind could take; false when it was counted apart.
class Tally {
public:
    Tally(ImportReport& report, DeliveryFamily card) : report(report), card(card) {}

    bool Acceptable(const ListedEntry& entry)
    {
        if (entry.family != card && entry.family != DeliveryFamily::Unknown) {
            ++report.otherSystem;
            return false;
        }
        if (!entry.readable || entry.family == DeliveryFamily::Unknown)
            return Refuse(entry, RefusalReason::Unreadable);
        if (!ValuesAccepted(entry))
            return Refuse(entry, RefusalReason::OutOfRange);
        return true;
    }

    bool Refuse(const ListedEntry& entry, RefusalReason reason)
    {
        ++report.refused;
        if (report.shownRefusals.size() < kShownRefusals)
            report.shownRefusals.push_back({entry.line, reason});
        return false;
    }

    void AlreadyThere() { ++report.alreadyThere; }

private:
    ImportReport& report;
    DeliveryFamily card;
};

std::uint64_t FrequencyPolarityKey(std::uint32_t frequency, int polarity)
{
    return (static_cast<std::uint64_t>(frequency) << 1) | (polarity == 0 ? 0u : 1u);
}

// --- satellite cards ---

std::string_view FileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The list's own name, else the file name without and then with its extension.
std::string NewSatelliteName(const ParsedList& list, std::string_view path)
{
    const std::string_view fileName = FileNameOf(path);
    const std::string_view candidates[] = {list.satelliteName, fileName.substr(0, fileName.rfind('.')), fileName};
    for (std::string_view name : candidates) {
        if (!IsBlankName(name))
            return std::string(name);
    }
    return "?";
}

std::vector<std::unique_ptr<TransponderRecord>> PlanTransponders(const ParsedList& list,
                                                                 const SatelliteRecord* satellite, Tally& tally)
{
    std::unordered_set<std::uint64_t> known;
    for (const TransponderRecord* t = satellite ? satellite->firstTransponder : nullptr; t; t = t->next)
        known.insert(FrequencyPolarityKey(static_cast<std::uint32_t>(t->frequency), t->polarity));
    std::vector<std::unique_ptr<TransponderRecord>> planned;
    for (const ListedEntry& entry : list.entries) {
        if (planned.size() > kMaxImportedEntries || !tally.Acceptable(entry))
            continue;
        if (!known.insert(FrequencyPolarityKey(entry.frequency, entry.polarity)).second) {
            tally.AlreadyThere();
            continue;
        }
        auto record = std::make_unique<TransponderRecord>();
        record->frequency = static_cast<std::int32_t>(entry.frequency);
        record->symbolRate = static_cast<std::int32_t>(entry.symbolRate);
        record->polarity = entry.polarity;
        NameTransponder(*record);
        planned.push_back(std::move(record));
    }
    return planned;
}

bool CommitTransponders(CChannelDatabase& database, int deviceKind, const ParsedList& list, std::string_view path,
                        std::vector<std::unique_ptr<TransponderRecord>> planned, NameComparison sameName,
                        ImportReport& report)
{
    if (!database.CurrentSatellite()) {
        const std::int32_t degree = list.degree && IsSatelliteDegreeValid(*list.degree) ? *list.degree : 0;
        if (CreateSatellite(database, NewSatelliteName(list, path), degree, deviceKind, sameName).outcome !=
            SatelliteEditOutcome::Added)
            return false;
        report.satelliteListChanged = true;
    }
    TransponderRecord* first = planned.front().get();
    for (auto& record : planned)
        database.AddTransponder(std::move(record), 0);
    database.SelectTransponder(first);
    return true;
}

// --- cable and terrestrial cards ---

struct PlannedChannel {
    std::string name;
    std::unique_ptr<TransponderRecord> tuning;
};

// The names a new channel may not take: those of the list and of the channels
// planned so far, as far as the name field holds them.
class ChannelNames {
public:
    ChannelNames(const CChannelDatabase& database, NameComparison sameName) : sameName(sameName)
    {
        for (const SatelliteRecord* s = database.Root()->firstSatellite; s; s = s->next)
            names.emplace_back(FieldText(s->name));
    }

    // False when the name is taken; otherwise it is taken from now on.
    bool Claim(std::string_view name)
    {
        name = name.substr(0, kSatelliteNameMaxLength);
        for (const std::string& taken : names) {
            if (sameName(taken, name))
                return false;
        }
        names.emplace_back(name);
        return true;
    }

private:
    NameComparison sameName;
    std::vector<std::string> names;
};

// The list's name when it has a usable one, else the frequency.
std::string ChannelName(const ListedEntry& entry)
{
    const bool usable = !IsBlankName(entry.name) && std::none_of(entry.name.begin(), entry.name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return usable ? entry.name : FrequencyChannelName(entry.frequency);
}

std::unique_ptr<TransponderRecord> TuningRecordOf(const ListedEntry& entry)
{
    auto record = std::make_unique<TransponderRecord>();
    record->frequency = static_cast<std::int32_t>(entry.frequency);
    if (entry.family == DeliveryFamily::Terrestrial) {
        record->symbolRate = static_cast<std::int32_t>(entry.bandwidth);
    } else {
        record->symbolRate = static_cast<std::int32_t>(entry.symbolRate);
        record->polarity = static_cast<std::int32_t>(entry.qamSize);
    }
    return record;
}

std::vector<PlannedChannel> PlanChannels(const CChannelDatabase& database, const ParsedList& list, Tally& tally,
                                         NameComparison sameName)
{
    std::unordered_set<std::uint32_t> knownFrequencies;
    for (const SatelliteRecord* s = database.Root()->firstSatellite; s; s = s->next) {
        for (const TransponderRecord* t = s->firstTransponder; t; t = t->next)
            knownFrequencies.insert(static_cast<std::uint32_t>(t->frequency));
    }
    ChannelNames names(database, sameName);
    std::vector<PlannedChannel> planned;
    for (const ListedEntry& entry : list.entries) {
        if (planned.size() > kMaxImportedEntries || !tally.Acceptable(entry))
            continue;
        if (knownFrequencies.count(entry.frequency) != 0) {
            tally.AlreadyThere();
            continue;
        }
        std::string name = ChannelName(entry);
        if (!names.Claim(name)) {
            tally.Refuse(entry, RefusalReason::NameTaken);
            continue;
        }
        knownFrequencies.insert(entry.frequency);
        planned.push_back({std::move(name), TuningRecordOf(entry)});
    }
    return planned;
}

bool CommitChannels(CChannelDatabase& database, int deviceKind, std::vector<PlannedChannel> planned,
                    NameComparison sameName, ImportReport& report)
{
    SatelliteRecord* first = nullptr;
    for (PlannedChannel& channel : planned) {
        // The plan ran New's checks already, so New cannot refuse here.
        const SatelliteEditResult made = CreateSatellite(database, channel.name, kChannelDegree, deviceKind, sameName);
        if (made.outcome != SatelliteEditOutcome::Added)
            return false;
        database.AddTransponder(std::move(channel.tuning), 1);
        first = first ? first : made.record;
    }
    database.SelectSatellite(first);
    report.satelliteListChanged = true;
    return true;
}

ImportReport Unchanged(ImportOutcome outcome, ImportReport report = {})
{
    report.outcome = outcome;
    report.added = 0;
    report.satelliteListChanged = false;
    report.effects = {};
    return report;
}

}   // namespace

ImportReport ImportTuningList(CChannelDatabase& database, int deviceKind, std::string_view text,
                              std::string_view fileName, NameComparison sameName)
{
    if (!database.Root())
        return Unchanged(ImportOutcome::NothingUsable);
    const ParsedList list = ParseTuningList(text);
    ImportReport report;
    Tally tally(report, CardFamily(deviceKind));
    bool committed = false;
    if (IsSatelliteCard(deviceKind)) {
        auto planned = PlanTransponders(list, database.CurrentSatellite(), tally);
        report.added = planned.size();
        if (report.added > kMaxImportedEntries)
            return Unchanged(ImportOutcome::FileUnreadable);
        committed = !planned.empty() &&
                    CommitTransponders(database, deviceKind, list, fileName, std::move(planned), sameName, report);
    } else {
        auto planned = PlanChannels(database, list, tally, sameName);
        report.added = planned.size();
        if (report.added > kMaxImportedEntries)
            return Unchanged(ImportOutcome::FileUnreadable);
        committed = !planned.empty() && CommitChannels(database, deviceKind, std::move(planned), sameName, report);
    }
    if (committed) {
        report.outcome = ImportOutcome::Imported;
        report.effects = kDatabaseChanged;
        return report;
    }
    return Unchanged(report.alreadyThere > 0 ? ImportOutcome::Imported : ImportOutcome::NothingUsable, report);
}

std::string FrequencyChannelName(std::uint32_t frequencyKhz) { return std::to_string(frequencyKhz) + " kHz"; }

ImportReport ImportTuningListFile(CChannelDatabase& database, int deviceKind, const std::string& path,
                                  NameComparison sameName)
{
    std::string text;
    bool tooLarge = false;
    std::array<std::uint8_t, 64 * 1024> buffer;
    const bool read = ReadFileInChunks(path, buffer, [&](std::span<const std::uint8_t> chunk) {
        tooLarge = text.size() + chunk.size() > kMaxImportFileBytes;
        if (!tooLarge)
            text.append(reinterpret_cast<const char*>(chunk.data()), chunk.size());
        return !tooLarge;
    });
    if (!read || tooLarge)
        return Unchanged(ImportOutcome::FileUnreadable);
    return ImportTuningList(database, deviceKind, text, path, sameName);
}
