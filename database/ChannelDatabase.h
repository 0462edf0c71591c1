// The channel database: three levels of record lists with a cursor per level,
// stored in one binary file per kind of card. Operations return 1 for done and
// 0 for not done, or a record or null.
#pragma once

#include "common/AnsiCaseComparison.h"
#include "database/ChannelRecordStore.h"
#include "database/ChannelRecords.h"

#include <memory>
#include <string>

// How the last Load ended.
enum class DatabaseLoad {
    Whole,        // every record of the file read
    NoFile,       // no file at the path (or no path): nothing is lost by saving
    Unreadable,   // a file that could not be opened or read: held by another program, access refused
    Damaged,      // a file shorter or longer than the records it declares
};

class CChannelDatabase {
public:
    CChannelDatabase() = default;
    CChannelDatabase(const CChannelDatabase&) = delete;
    CChannelDatabase& operator=(const CChannelDatabase&) = delete;
    virtual ~CChannelDatabase();

    // Remembers a non-empty path and loads it; an empty path does nothing.
    void LoadFile(const std::string& path);
    // Replaces the contents; the database is usable (root present) even when
    // this fails. 1 when the whole file was read; 0 when it cannot be read or
    // is damaged, keeping every whole record it holds with consistent counts.
    int Load(const std::string& path);
    // An empty path means the remembered one. Writes a side copy (SideFilePath)
    // and puts it in place of the file in one step; on 0 the previous file is
    // unchanged. The unread file (UnreadFile) is left alone unless replacing
    // it was allowed; it is then first kept as its backup (KeepBackupCopy).
    int Save(const std::string& path = std::string());
    void Clear();

    // The database takes ownership of the record.
    int AddSatellite(std::unique_ptr<SatelliteRecord> record, int select);
    int AddTransponder(std::unique_ptr<TransponderRecord> record, int select);
    int AddPid(std::unique_ptr<PidRecord> record, int select);

    // Satellites: name in any letter case, as sameName tells, and degree.
    // Transponders, in the current satellite: frequency, symbol rate and
    // polarity, not the name. PIDs, in the current transponder: type and value.
    SatelliteRecord* FindSatellite(const SatelliteRecord* probe, AnsiCaseComparison sameName = AnsiEqualNoCase) const;
    TransponderRecord* FindTransponder(const TransponderRecord* probe) const;
    PidRecord* FindPid(const PidRecord* probe) const;

    // As Find, but satellite names compare exactly, and PIDs also by name.
    int RemoveSatellite(const SatelliteRecord* probe);
    int RemoveTransponder(const TransponderRecord* probe);
    int RemovePid(const PidRecord* probe);

    // A stored record becomes current itself; any other record selects the
    // stored record that matches it; no match changes nothing; null clears.
    void SelectSatellite(SatelliteRecord* record);
    void SelectTransponder(TransponderRecord* record);
    void SelectPid(PidRecord* record);

    const SatelliteList* Root() const { return root; }
    SatelliteRecord* CurrentSatellite() const { return currentSatellite; }
    TransponderRecord* CurrentTransponder() const { return currentTransponder; }
    PidRecord* CurrentPid() const { return currentPid; }
    const std::string& FilePath() const { return filePath; }

    DatabaseLoad LastLoad() const { return lastLoad; }
    // The file the last Load found but could not read whole, until a Load
    // reads it whole or a Save replaces it; empty otherwise. It holds more
    // than the lists do, so Save does not replace it unless allowed to.
    const std::string& UnreadFile() const { return unreadFile; }
    // The user agreed: Saves may replace the unread file (until the next Load).
    void AllowReplacingUnreadFile() { replacingUnreadFileAllowed = true; }

private:
    // The records that Select points the cursors at: the given record when it
    // is stored in the list, otherwise the stored record that matches it.
    SatelliteRecord* StoredSatellite(SatelliteRecord* record) const;
    TransponderRecord* StoredTransponder(TransponderRecord* record) const;
    PidRecord* StoredPid(PidRecord* record) const;
    void PointCursorsAt(SatelliteRecord* satellite);
    void PointCursorsAt(TransponderRecord* transponder);
    void ForgetTails();

    // Every record of the lists, and those removed since the last load.
    ChannelRecordStore records;
    SatelliteList* root = nullptr;
    SatelliteRecord* currentSatellite = nullptr;
    TransponderRecord* currentTransponder = nullptr;
    PidRecord* currentPid = nullptr;
    std::string filePath;
    DatabaseLoad lastLoad = DatabaseLoad::NoFile;
    std::string unreadFile;
    bool replacingUnreadFileAllowed = false;

    // Ends of the lists that appends go to, so that loading and adding stay
    // linear. The transponder and PID ends belong to the parent they name and
    // are found again by a walk when another parent is current.
    SatelliteRecord* lastSatellite = nullptr;
    const SatelliteRecord* transponderTailOwner = nullptr;
    TransponderRecord* lastTransponder = nullptr;
    const TransponderRecord* pidTailOwner = nullptr;
    PidRecord* lastPid = nullptr;
};
