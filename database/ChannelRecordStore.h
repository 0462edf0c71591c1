// Where the database's records live, so that each is freed exactly once.
// The records of a load are taken together from an arena and come back
// together at the next load or when the database goes: an allocation and a
// free of their own for each of a million records took half the time of a
// load. Records added later are the callers' own allocations; the store
// adopts them and frees each when it is removed.
#pragma once

#include "database/ChannelRecords.h"
#include "database/RecordArena.h"

#include <memory>
#include <unordered_set>

class ChannelRecordStore {
public:
    ChannelRecordStore() = default;
    ChannelRecordStore(const ChannelRecordStore&) = delete;
    ChannelRecordStore& operator=(const ChannelRecordStore&) = delete;
    ~ChannelRecordStore() { FreeAll(); }

    // Where a load places its records.
    RecordArena& Arena() { return arena; }

    // Takes the record with every record already linked below it.
    SatelliteRecord* Adopt(std::unique_ptr<SatelliteRecord> record);
    TransponderRecord* Adopt(std::unique_ptr<TransponderRecord> record);
    PidRecord* Adopt(std::unique_ptr<PidRecord> record);

    // An unlinked record with everything below it (not the records after
    // it) is gone: an adopted record is freed at once, a loaded one with
    // the arena. None of them is read again after this.
    void Dispose(SatelliteRecord* record);
    void Dispose(TransponderRecord* record);
    void Dispose(PidRecord* record);

    // Frees every record, linked or removed.
    void FreeAll();

private:
    void AdoptBelow(SatelliteRecord* satellite);
    void AdoptBelow(TransponderRecord* transponder);
    // Disposes of a chain of records, each with what is below it.
    template <typename Record>
    void DisposeChain(Record* first);

    RecordArena arena;
    std::unordered_set<SatelliteRecord*> adoptedSatellites;
    std::unordered_set<TransponderRecord*> adoptedTransponders;
    std::unordered_set<PidRecord*> adoptedPids;
};
