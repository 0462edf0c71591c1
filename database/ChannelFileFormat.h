// The database file: the satellite count, then every record in list order,
// each directly followed by its children. Integers are 32-bit little-endian;
// names are the records' raw fixed-size arrays. The field order in the file
// is not the order of the records' fields.
#pragma once

#include "common/ByteSink.h"
#include "database/ChannelRecords.h"
#include "database/RecordArena.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr std::size_t kRootBlockSize = 4;
inline constexpr std::size_t kSatelliteBlockSize = 68;
inline constexpr std::size_t kTransponderBlockSize = 48;
inline constexpr std::size_t kPidBlockSize = 32;

struct ChannelFileReadResult {
    // False when the file ended inside a block or before the counts were
    // satisfied, or held bytes after the last record.
    bool complete = true;
    SatelliteRecord* lastSatellite = nullptr;
};

// Appends the file's records to `list`, which must be empty, taking them
// from `arena`, which is then where they live. Every record
// whose block is whole is kept, also from a damaged file, and the counts are
// set to the number of records kept, so the lists are always consistent.
// No count is believed beyond what the remaining bytes can hold, and a count
// of 0 or less reads nothing. A name without a terminating zero gets one in
// its last byte, so that every kept name is a valid string.
ChannelFileReadResult ReadChannelFile(std::span<const std::uint8_t> bytes, SatelliteList& list, RecordArena& arena);

// Writes the file's bytes for the lists to `sink` in chunks of at most 64 KB,
// stopping at the first chunk the sink refuses (then false). Each count
// written is the length of the list that follows it.
bool WriteChannelFile(const SatelliteList& list, ByteSink& sink);

// The same bytes in memory.
std::vector<std::uint8_t> WriteChannelFile(const SatelliteList& list);
