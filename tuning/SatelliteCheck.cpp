#include "tuning/SatelliteCheck.h"

#include "database/ChannelDatabase.h"
#include "tuning/ScanTexts.h"

#include <algorithm>
#include <tuple>

namespace {

std::optional<int> Reading(const CheckRow& row, CheckColumn column)
{
    if (!row.signal)
        return std::nullopt;
    return column == CheckColumn::Strength ? row.signal->strength : row.signal->quality;
}

// The order of a column, ascending.
bool Before(const CheckRow& a, const CheckRow& b, CheckColumn column)
{
    switch (column) {
    case CheckColumn::Transponder:
        return std::tie(a.transponder.frequency, a.transponder.polarity, a.transponder.symbolRate) <
               std::tie(b.transponder.frequency, b.transponder.polarity, b.transponder.symbolRate);
    case CheckColumn::Locked: return a.locked && !b.locked;
    case CheckColumn::Strength:
    case CheckColumn::Quality: return Reading(a, column).value_or(-1) < Reading(b, column).value_or(-1);
    case CheckColumn::LockTime: return a.lockTime < b.lockTime;
    }
    return false;
}

bool SameValues(const TransponderRecord& a, const TransponderRecord& b)
{
    return a.frequency == b.frequency && a.symbolRate == b.symbolRate && a.polarity == b.polarity;
}

// Whether the transponder outlives the removal of the rows that did not lock:
// each removal takes the first stored transponder with the row's values.
bool OutlivesRemoval(const SatelliteRecord& satellite, const TransponderRecord& transponder,
                     const std::vector<CheckRow>& rows)
{
    const auto removals = std::count_if(rows.begin(), rows.end(), [&](const CheckRow& row) {
        return !row.locked && SameValues(row.transponder, transponder);
    });
    std::ptrdiff_t before = 0;
    for (const TransponderRecord* t = satellite.firstTransponder; t && t != &transponder; t = t->next)
        before += SameValues(*t, transponder) ? 1 : 0;
    return before >= removals;
}

}   // namespace

ScanJob SatelliteCheckJob(const SatelliteRecord& satellite)
{
    ScanJob job;
    job.kind = LockKind::Satellite;
    job.satellite = satellite;
    job.satellite.firstTransponder = nullptr;
    job.satellite.next = nullptr;
    for (const TransponderRecord* t = satellite.firstTransponder; t; t = t->next) {
        TransponderRecord copy = *t;
        copy.firstPid = nullptr;
        copy.next = nullptr;
        job.targets.push_back(copy);
    }
    return job;
}

std::vector<CheckRow> CheckRows(const ScanJob& job, const std::vector<ScanStep>& steps)
{
    std::vector<CheckRow> rows;
    for (const ScanStep& step : steps) {
        if (step.index < job.targets.size())
            rows.push_back({job.targets[step.index], step.locked, step.signal, step.lockTime});
    }
    return rows;
}

void SortCheckRows(std::vector<CheckRow>& rows, CheckColumn column, bool ascending)
{
    std::stable_sort(rows.begin(), rows.end(), [column, ascending](const CheckRow& a, const CheckRow& b) {
        return ascending ? Before(a, b, column) : Before(b, a, column);
    });
}

std::string CheckColumnHeading(CheckColumn column, const MessageLookup& text)
{
    switch (column) {
    case CheckColumn::Transponder: return TextOf(text, kTransponderColumn);
    case CheckColumn::Locked: return TextOf(text, kLockedColumn);
    case CheckColumn::Strength: return TextOf(text, kStrengthColumn);
    case CheckColumn::Quality: return TextOf(text, kQualityColumn);
    case CheckColumn::LockTime: return TextOf(text, kLockTimeColumn);
    }
    return std::string();
}

std::string CheckCellText(const CheckRow& row, CheckColumn column, const MessageLookup& text)
{
    switch (column) {
    case CheckColumn::Transponder: return ScanTargetText(LockKind::Satellite, row.transponder);
    case CheckColumn::Locked: return TextOf(text, row.locked ? kYesText : kNoText);
    case CheckColumn::Strength:
    case CheckColumn::Quality: {
        const std::optional<int> reading = Reading(row, column);
        return reading ? std::to_string(*reading) : std::string();
    }
    case CheckColumn::LockTime: return std::to_string(row.lockTime.count());
    }
    return std::string();
}

std::string CheckTableText(const std::vector<CheckRow>& rows, const MessageLookup& text)
{
    const auto line = [](const auto& cell) {
        std::string joined;
        for (CheckColumn column : kCheckColumns) {
            if (column != kCheckColumns.front())
                joined += '\t';
            joined += cell(column);
        }
        return joined + "\r\n";
    };
    std::string table = line([&text](CheckColumn column) { return CheckColumnHeading(column, text); });
    for (const CheckRow& row : rows)
        table += line([&](CheckColumn column) { return CheckCellText(row, column, text); });
    return table;
}

std::size_t UnlockedCount(const std::vector<CheckRow>& rows)
{
    return static_cast<std::size_t>(
        std::count_if(rows.begin(), rows.end(), [](const CheckRow& row) { return !row.locked; }));
}

std::string CheckSummaryText(const std::vector<CheckRow>& rows, std::size_t transponders, bool cancelled,
                             const MessageLookup& text)
{
    const std::size_t locked = rows.size() - UnlockedCount(rows);
    std::string summary =
        FillPlaces(TextOf(text, kCheckLockedCount), {std::to_string(locked), std::to_string(transponders)});
    if (cancelled) {
        summary += ' ';
        summary += TextOf(text, kScanCancelled);
    }
    return summary;
}

CheckRemoval RemoveUnlockedTransponders(CChannelDatabase& database, const std::vector<CheckRow>& rows)
{
    CheckRemoval removal;
    const SatelliteRecord* satellite = database.CurrentSatellite();
    TransponderRecord* current = database.CurrentTransponder();
    PidRecord* currentPid = database.CurrentPid();
    if (satellite == nullptr)
        return removal;
    const bool currentStays = current != nullptr && OutlivesRemoval(*satellite, *current, rows);
    for (const CheckRow& row : rows) {
        if (!row.locked && database.RemoveTransponder(&row.transponder) != 0)
            ++removal.removed;
    }
    if (removal.removed == 0)
        return removal;
    // Removing moves the cursors to the first transponder; they go back where they were.
    if (currentStays) {
        database.SelectTransponder(current);
        database.SelectPid(currentPid);
    }
    removal.effects = {!currentStays, true, true};
    return removal;
}
