#include "database/ChannelDatabase.h"

#include "common/FieldText.h"
#include "common/FileIo.h"
#include "database/ChannelFileFormat.h"

namespace {

bool SameSatellite(const SatelliteRecord& a, const SatelliteRecord& b)
{
    return a.degree == b.degree && FieldText(a.name) == FieldText(b.name);
}

// The name is a label derived from these values, so it is not compared.
bool SameTransponder(const TransponderRecord& a, const TransponderRecord& b)
{
    return a.frequency == b.frequency && a.symbolRate == b.symbolRate && a.polarity == b.polarity;
}

bool SamePid(const PidRecord& a, const PidRecord& b) { return a.type == b.type && a.pid == b.pid; }

bool SamePidAndName(const PidRecord& a, const PidRecord& b)
{
    return SamePid(a, b) && FieldText(a.name) == FieldText(b.name);
}

template <typename Record, typename Match>
Record* FindInChain(Record* first, const Record& probe, Match match)
{
    for (Record* record = first; record; record = record->next) {
        if (match(*record, probe))
            return record;
    }
    return nullptr;
}

template <typename Record>
bool ChainHolds(const Record* first, const Record* record)
{
    for (; first; first = first->next) {
        if (first == record)
            return true;
    }
    return false;
}

// Unlinks the first record that matches; null when none does.
template <typename Record, typename Match>
Record* UnlinkFromChain(Record*& first, const Record& probe, Match match)
{
    for (Record** link = &first; *link; link = &(*link)->next) {
        if (match(**link, probe)) {
            Record* record = *link;
            *link = record->next;
            record->next = nullptr;
            return record;
        }
    }
    return nullptr;
}

template <typename Record>
Record* LastOfChain(Record* first)
{
    while (first && first->next)
        first = first->next;
    return first;
}

}   // namespace

CChannelDatabase::~CChannelDatabase() { Clear(); }

void CChannelDatabase::LoadFile(const std::string& path)
{
    if (path.empty())
        return;
    filePath = path;
    Load(path);
}

// A damaged file keeps every whole record it holds but answers 0.
int CChannelDatabase::Load(const std::string& path)
{
    Clear();
    root = new SatelliteList{};
    lastLoad = DatabaseLoad::NoFile;
    unreadFile.clear();
    replacingUnreadFileAllowed = false;
    if (path.empty())
        return 0;
    std::vector<std::uint8_t> bytes;
    const FileReadResult read = ReadWholeFileResult(path, bytes);
    if (read != FileReadResult::Read) {
        if (read == FileReadResult::Failed) {
            lastLoad = DatabaseLoad::Unreadable;
            unreadFile = path;
        }
        return 0;
    }
    const ChannelFileReadResult result = ReadChannelFile(bytes, *root, records.Arena());
    lastSatellite = result.lastSatellite;
    PointCursorsAt(root->firstSatellite);
    lastLoad = result.complete ? DatabaseLoad::Whole : DatabaseLoad::Damaged;
    if (!result.complete)
        unreadFile = path;
    return result.complete ? 1 : 0;
}

int CChannelDatabase::Save(const std::string& path)
{
    if (!root)
        return 0;
    const std::string& target = path.empty() ? filePath : path;
    if (target.empty())
        return 0;
    const bool overUnreadFile = !unreadFile.empty() && target == unreadFile;
    if (overUnreadFile && (!replacingUnreadFileAllowed || !KeepBackupCopy(target)))
        return 0;
    const SatelliteList& list = *root;
    if (!WriteFileReplacing(target, [&list](ByteSink& file) { return WriteChannelFile(list, file); }))
        return 0;
    if (overUnreadFile) {
        unreadFile.clear();
        replacingUnreadFileAllowed = false;
    }
    return 1;
}

void CChannelDatabase::Clear()
{
    delete root;
    root = nullptr;
    records.FreeAll();
    currentSatellite = nullptr;
    currentTransponder = nullptr;
    currentPid = nullptr;
    lastSatellite = nullptr;
    ForgetTails();
}

int CChannelDatabase::AddSatellite(std::unique_ptr<SatelliteRecord> record, int select)
{
    if (!root || !record)
        return 0;
    SatelliteRecord* satellite = records.Adopt(std::move(record));
    (lastSatellite ? lastSatellite->next : root->firstSatellite) = satellite;
    lastSatellite = satellite;
    ++root->satelliteCount;
    if (select)
        PointCursorsAt(satellite);
    return 1;
}

int CChannelDatabase::AddTransponder(std::unique_ptr<TransponderRecord> record, int select)
{
    if (!currentSatellite || !record)
        return 0;
    if (transponderTailOwner != currentSatellite) {
        transponderTailOwner = currentSatellite;
        lastTransponder = LastOfChain(currentSatellite->firstTransponder);
    }
    TransponderRecord* transponder = records.Adopt(std::move(record));
    (lastTransponder ? lastTransponder->next : currentSatellite->firstTransponder) = transponder;
    lastTransponder = transponder;
    ++currentSatellite->transponderCount;
    if (select)
        PointCursorsAt(transponder);
    return 1;
}

int CChannelDatabase::AddPid(std::unique_ptr<PidRecord> record, int select)
{
    if (!currentTransponder || !record)
        return 0;
    if (pidTailOwner != currentTransponder) {
        pidTailOwner = currentTransponder;
        lastPid = LastOfChain(currentTransponder->firstPid);
    }
    PidRecord* pid = records.Adopt(std::move(record));
    (lastPid ? lastPid->next : currentTransponder->firstPid) = pid;
    lastPid = pid;
    ++currentTransponder->pidCount;
    if (select)
        currentPid = pid;
    return 1;
}

SatelliteRecord* CChannelDatabase::FindSatellite(const SatelliteRecord* probe, AnsiCaseComparison sameName) const
{
    if (!root || !probe || !sameName)
        return nullptr;
    return FindInChain(root->firstSatellite, *probe, [sameName](const SatelliteRecord& a, const SatelliteRecord& b) {
        return a.degree == b.degree && sameName(FieldText(a.name), FieldText(b.name));
    });
}

TransponderRecord* CChannelDatabase::FindTransponder(const TransponderRecord* probe) const
{
    if (!currentSatellite || !probe)
        return nullptr;
    return FindInChain(currentSatellite->firstTransponder, *probe, SameTransponder);
}

PidRecord* CChannelDatabase::FindPid(const PidRecord* probe) const
{
    if (!currentTransponder || !probe)
        return nullptr;
    return FindInChain(currentTransponder->firstPid, *probe, SamePid);
}

int CChannelDatabase::RemoveSatellite(const SatelliteRecord* probe)
{
    if (!root || !probe)
        return 0;
    SatelliteRecord* removed = UnlinkFromChain(root->firstSatellite, *probe, SameSatellite);
    if (!removed)
        return 0;
    --root->satelliteCount;
    lastSatellite = LastOfChain(root->firstSatellite);
    ForgetTails();
    PointCursorsAt(root->firstSatellite);
    records.Dispose(removed);
    return 1;
}

int CChannelDatabase::RemoveTransponder(const TransponderRecord* probe)
{
    if (!currentSatellite || !probe)
        return 0;
    TransponderRecord* removed = UnlinkFromChain(currentSatellite->firstTransponder, *probe, SameTransponder);
    if (!removed)
        return 0;
    --currentSatellite->transponderCount;
    ForgetTails();
    PointCursorsAt(currentSatellite->firstTransponder);
    records.Dispose(removed);
    return 1;
}

int CChannelDatabase::RemovePid(const PidRecord* probe)
{
    if (!currentTransponder || !probe)
        return 0;
    PidRecord* removed = UnlinkFromChain(currentTransponder->firstPid, *probe, SamePidAndName);
    if (!removed)
        return 0;
    --currentTransponder->pidCount;
    pidTailOwner = nullptr;
    currentPid = currentTransponder->firstPid;
    records.Dispose(removed);
    return 1;
}

void CChannelDatabase::SelectSatellite(SatelliteRecord* record)
{
    if (!record) {
        PointCursorsAt(static_cast<SatelliteRecord*>(nullptr));
        return;
    }
    if (SatelliteRecord* stored = StoredSatellite(record))
        PointCursorsAt(stored);
}

void CChannelDatabase::SelectTransponder(TransponderRecord* record)
{
    if (!record) {
        PointCursorsAt(static_cast<TransponderRecord*>(nullptr));
        return;
    }
    if (TransponderRecord* stored = StoredTransponder(record))
        PointCursorsAt(stored);
}

void CChannelDatabase::SelectPid(PidRecord* record)
{
    if (!record)
        currentPid = nullptr;
    else if (PidRecord* stored = StoredPid(record))
        currentPid = stored;
}

SatelliteRecord* CChannelDatabase::StoredSatellite(SatelliteRecord* record) const
{
    if (root && ChainHolds<SatelliteRecord>(root->firstSatellite, record))
        return record;
    return FindSatellite(record);
}

TransponderRecord* CChannelDatabase::StoredTransponder(TransponderRecord* record) const
{
    if (currentSatellite && ChainHolds<TransponderRecord>(currentSatellite->firstTransponder, record))
        return record;
    return FindTransponder(record);
}

PidRecord* CChannelDatabase::StoredPid(PidRecord* record) const
{
    if (currentTransponder && ChainHolds<PidRecord>(currentTransponder->firstPid, record))
        return record;
    return FindPid(record);
}

void CChannelDatabase::PointCursorsAt(SatelliteRecord* satellite)
{
    currentSatellite = satellite;
    PointCursorsAt(satellite ? satellite->firstTransponder : nullptr);
}

void CChannelDatabase::PointCursorsAt(TransponderRecord* transponder)
{
    currentTransponder = transponder;
    currentPid = transponder ? transponder->firstPid : nullptr;
}

void CChannelDatabase::ForgetTails()
{
    transponderTailOwner = nullptr;
    lastTransponder = nullptr;
    pidTailOwner = nullptr;
    lastPid = nullptr;
}
