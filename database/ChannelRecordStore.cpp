#include "database/ChannelRecordStore.h"

namespace {

// The set keeps the record before the caller lets go of it, so that a
// failed insertion leaves it with the caller.
template <typename Record>
Record* AdoptInto(std::unordered_set<Record*>& adopted, std::unique_ptr<Record> record)
{
    if (!record)
        return nullptr;
    adopted.insert(record.get());
    return record.release();
}

template <typename Record>
void DisposeOne(std::unordered_set<Record*>& adopted, RecordArena& arena, Record* record)
{
    if (adopted.erase(record))
        delete record;
    else
        arena.Discard(record);
}

template <typename Record>
void FreeAdopted(std::unordered_set<Record*>& adopted)
{
    for (Record* record : adopted)
        delete record;
    adopted.clear();
}

}   // namespace

SatelliteRecord* ChannelRecordStore::Adopt(std::unique_ptr<SatelliteRecord> record)
{
    SatelliteRecord* satellite = AdoptInto(adoptedSatellites, std::move(record));
    if (satellite)
        AdoptBelow(satellite);
    return satellite;
}

TransponderRecord* ChannelRecordStore::Adopt(std::unique_ptr<TransponderRecord> record)
{
    TransponderRecord* transponder = AdoptInto(adoptedTransponders, std::move(record));
    if (transponder)
        AdoptBelow(transponder);
    return transponder;
}

PidRecord* ChannelRecordStore::Adopt(std::unique_ptr<PidRecord> record)
{
    return AdoptInto(adoptedPids, std::move(record));
}

void ChannelRecordStore::AdoptBelow(SatelliteRecord* satellite)
{
    for (TransponderRecord* transponder = satellite->firstTransponder; transponder; transponder = transponder->next) {
        adoptedTransponders.insert(transponder);
        AdoptBelow(transponder);
    }
}

void ChannelRecordStore::AdoptBelow(TransponderRecord* transponder)
{
    for (PidRecord* pid = transponder->firstPid; pid; pid = pid->next)
        adoptedPids.insert(pid);
}

template <typename Record>
void ChannelRecordStore::DisposeChain(Record* first)
{
    for (Record* record = first; record;) {
        Record* next = record->next;
        Dispose(record);
        record = next;
    }
}

void ChannelRecordStore::Dispose(SatelliteRecord* record)
{
    DisposeChain(record->firstTransponder);
    DisposeOne(adoptedSatellites, arena, record);
}

void ChannelRecordStore::Dispose(TransponderRecord* record)
{
    DisposeChain(record->firstPid);
    DisposeOne(adoptedTransponders, arena, record);
}

void ChannelRecordStore::Dispose(PidRecord* record) { DisposeOne(adoptedPids, arena, record); }

void ChannelRecordStore::FreeAll()
{
    FreeAdopted(adoptedSatellites);
    FreeAdopted(adoptedTransponders);
    FreeAdopted(adoptedPids);
    arena.Release();
}
