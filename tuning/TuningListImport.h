// Importing a transponder or channel list into the channel database.
//
// Satellite cards: the list's transponders join the current satellite after
// the ones it has, named as New names them; without any satellite, one is
// first made as New makes it, from the list's name and position or else from
// the file name. Cable and terrestrial cards: each channel becomes a channel
// of its own with its tuning record, named from the list or by frequency.
// An entry is skipped when the satellite already has its frequency and
// polarisation (the channel list its frequency), refused when its values lie
// outside what the pages accept, and counted apart when it belongs to another
// delivery system. The import is all or nothing: every check runs before the
// database is touched.
#pragma once

#include "common/AnsiCase.h"
#include "common/RuleResult.h"
#include "database/ChannelDatabase.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Larger files, and lists that would add more entries, are refused whole.
constexpr std::size_t kMaxImportFileBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxImportedEntries = 4000;
// The refused lines the summary names; the others are only counted.
constexpr std::size_t kShownRefusals = 5;

enum class ImportOutcome {
    Imported,         // the counts tell what happened; nothing added when all were known
    NothingUsable,    // no entry this card could take; nothing changed
    FileUnreadable,   // missing, unreadable or too large; nothing changed
};

enum class RefusalReason { OutOfRange, Unreadable, NameTaken };

struct RefusedLine {
    std::size_t line = 0;
    RefusalReason reason = RefusalReason::Unreadable;
};

struct ImportReport {
    ImportOutcome outcome = ImportOutcome::NothingUsable;
    std::size_t added = 0;
    std::size_t alreadyThere = 0;
    std::size_t refused = 0;
    std::size_t otherSystem = 0;
    std::vector<RefusedLine> shownRefusals;   // the first kShownRefusals, in file order
    bool satelliteListChanged = false;        // satellites or channels were added
    MainDialogEffects effects;
};

// sameName: how satellite and channel names compare in any letter case; the
// program gives the system's comparison, as New does.
using NameComparison = AnsiCaseComparison;

// `fileName` names the new satellite when the list does not.
ImportReport ImportTuningList(CChannelDatabase& database, int deviceKind, std::string_view text,
                              std::string_view fileName, NameComparison sameName = AnsiEqualNoCase);

// The name a channel without one of its own gets: its frequency, "482000 kHz".
std::string FrequencyChannelName(std::uint32_t frequencyKhz);

// Reads the file whole first, so a file that vanishes or fails midway changes nothing.
ImportReport ImportTuningListFile(CChannelDatabase& database, int deviceKind, const std::string& path,
                                  NameComparison sameName = AnsiEqualNoCase);
