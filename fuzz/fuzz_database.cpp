// Any bytes as a database file: the reader keeps consistent lists, and what it
// kept writes back as a file that reads complete and writes back unchanged.
#include "database/ChannelFileFormat.h"
#include "database/ChannelRecordChains.h"

#include <cstdlib>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SatelliteList list;
    const ChannelFileReadResult result = ReadChannelFile(std::span(data, size), list);
    CheckCounts(list);
    const std::vector<std::uint8_t> written = WriteChannelFile(list);
    // Negative counts are written as 0, so only the size must match.
    if (result.complete && written.size() != size)
        std::abort();

    SatelliteList again;
    if (!ReadChannelFile(written, again).complete || WriteChannelFile(again) != written)
        std::abort();
    DeleteSatelliteChain(list.firstSatellite);
    DeleteSatelliteChain(again.firstSatellite);
    return 0;
}
