// Any bytes as a transponder or channel list, imported on each kind of card:
// every entry is counted once, what was added is exactly what the database
// gained, and a list that adds nothing leaves the database untouched.
#include "database/SatelliteListRules.h"
#include "tuning/TuningListImport.h"
#include "tuning/TuningListParser.h"

#include <cstdlib>
#include <string_view>

namespace {

std::size_t EntryCount(const CChannelDatabase& database)
{
    std::size_t count = 0;
    for (const SatelliteRecord* s = database.Root()->firstSatellite; s; s = s->next)
        count += static_cast<std::size_t>(s->transponderCount) + 1;
    return count;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedList parsed = ParseTuningList(text);
    for (int deviceKind : {0, 5, 7}) {
        CChannelDatabase database;
        database.Load("");
        EnsureDefaultChannel(database, deviceKind);
        const std::size_t before = EntryCount(database);
        const ImportReport report = ImportTuningList(database, deviceKind, text, "fuzz.ini");
        const std::size_t counted = report.added + report.alreadyThere + report.refused + report.otherSystem;
        Check(report.outcome == ImportOutcome::FileUnreadable || counted == parsed.entries.size());
        Check(report.shownRefusals.size() <= kShownRefusals && report.shownRefusals.size() <= report.refused);
        // A satellite card gains one entry more for the satellite an import makes.
        const std::size_t gained = report.added == 0 ? 0 : report.added + (report.satelliteListChanged ? 1 : 0);
        const std::size_t channels = deviceKind == 0 ? gained : report.added * 2;
        Check(EntryCount(database) == before + channels);
        Check(report.effects.markSettingsChanged == (report.added > 0 && report.outcome == ImportOutcome::Imported));
    }
    return 0;
}
