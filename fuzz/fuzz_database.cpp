// Any bytes as a database file: the reader keeps consistent lists, and what it
// kept writes back as a file that reads complete and writes back unchanged.
// Loaded from a file, its records can be removed at every level, and bytes
// the reader does not take whole are a damaged file, which no save replaces
// unless allowed.
#include "common/FileIo.h"
#include "database/ChannelDatabase.h"
#include "database/ChannelFileFormat.h"
#include "database/RecordArena.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

template <typename Record>
std::int32_t Length(const Record* first)
{
    std::int32_t length = 0;
    for (; first; first = first->next)
        ++length;
    return length;
}

void CheckCounts(const SatelliteList& list)
{
    if (list.satelliteCount != Length(list.firstSatellite))
        std::abort();
    for (const SatelliteRecord* s = list.firstSatellite; s; s = s->next) {
        if (s->transponderCount != Length(s->firstTransponder))
            std::abort();
        for (const TransponderRecord* t = s->firstTransponder; t; t = t->next) {
            if (t->pidCount != Length(t->firstPid))
                std::abort();
        }
    }
}

// One file for every input, removed when the run ends.
class ScratchFile {
public:
    ScratchFile()
        : path((std::filesystem::temp_directory_path() / ("fuzz_database-" + std::to_string(getpid()) + ".dll"))
                   .string())
    {
    }
    ~ScratchFile() { std::remove(path.c_str()); }

    const std::string path;
};

// Removes loaded records at every level, each with what is below it; the
// sanitizers report a record freed twice or touched after its removal.
void RemoveCurrentRecords(CChannelDatabase& database)
{
    if (const PidRecord* pid = database.CurrentPid()) {
        const PidRecord probe = *pid;
        database.RemovePid(&probe);
    }
    if (const TransponderRecord* transponder = database.CurrentTransponder()) {
        const TransponderRecord probe = *transponder;
        database.RemoveTransponder(&probe);
    }
    if (const SatelliteRecord* satellite = database.CurrentSatellite()) {
        const SatelliteRecord probe = *satellite;
        database.RemoveSatellite(&probe);
    }
    CheckCounts(*database.Root());
}

// The database's view of the same bytes in a file: damaged exactly when the
// reader did not take them whole, and then kept as they are by a save.
void CheckLoadedFile(std::span<const std::uint8_t> bytes, bool complete)
{
    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    // A new file each time: a file truncated and written again is flushed to
    // the disk at its close by some file systems, which would slow each run.
    std::remove(path.c_str());
    if (!WriteWholeFile(path, bytes))
        std::abort();
    CChannelDatabase database;
    database.LoadFile(path);
    const DatabaseLoad expected = complete ? DatabaseLoad::Whole : DatabaseLoad::Damaged;
    if (database.LastLoad() != expected || database.UnreadFile().empty() == !complete)
        std::abort();
    CheckCounts(*database.Root());
    RemoveCurrentRecords(database);
    if (!complete) {
        std::vector<std::uint8_t> kept;
        if (database.Save() != 0 || !ReadWholeFile(path, kept) ||
            !std::equal(kept.begin(), kept.end(), bytes.begin(), bytes.end()))
            std::abort();
    }
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RecordArena arena;
    SatelliteList list;
    const ChannelFileReadResult result = ReadChannelFile(std::span(data, size), list, arena);
    CheckCounts(list);
    const std::vector<std::uint8_t> written = WriteChannelFile(list);
    // Negative counts are written as 0, so only the size must match.
    if (result.complete && written.size() != size)
        std::abort();
    // What was not read whole never writes back as the same bytes.
    if (!result.complete && std::equal(written.begin(), written.end(), data, data + size))
        std::abort();

    SatelliteList again;
    if (!ReadChannelFile(written, again, arena).complete || WriteChannelFile(again) != written)
        std::abort();
    CheckLoadedFile(std::span(data, size), result.complete);
    return 0;
}
