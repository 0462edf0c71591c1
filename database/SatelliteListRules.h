// The satellite (channel) list of the main dialog: filling it from the
// database, choosing an entry, and what New, Change and Remove do to the
// database. In channel mode (cable and terrestrial cards) the top-level
// records are channels: degree 3600 and only a name to edit.
#pragma once

#include "common/RuleResult.h"
#include "database/ChannelDatabase.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The selection remembered in the settings: satellite name, its degree, the
// transponder name and the PID as text.
struct SavedSelection {
    std::string satelliteName;
    std::int32_t degree = 0;
    std::string transponderName;
    std::string pid;
};

struct SatelliteListItem {
    std::string name;                    // the item's text
    SatelliteRecord* record = nullptr;   // the item's data
};

struct SatelliteListFill {
    std::vector<SatelliteListItem> items;      // in database order
    int selectedIndex = -1;                    // -1 only when there are no items
    std::optional<std::int32_t> savedDegree;   // the new saved degree, when there is a current satellite
};

// Rebuilds the list content and makes the saved selection current where its
// satellite (exact name and degree), transponder (exact name) and PID (value)
// are found; otherwise the first satellite stays current and item 0 is chosen.
// In channel mode an empty database first gets its "Default" channel.
SatelliteListFill BuildSatelliteList(CChannelDatabase& database, int deviceKind, const SavedSelection& saved);

// In channel mode, gives a database without channels the "Default" channel
// (degree 3600) with the default tuning values of the card's kind, both made
// current. Returns 1 when it was created, else 0.
int EnsureDefaultChannel(CChannelDatabase& database, int deviceKind);

// sameName, here and below: how names compare in any letter case; the program
// gives the system's comparison.
// The user picked a list item: its text and its item data.
MainDialogEffects ChooseSatellite(CChannelDatabase& database, std::string_view chosenName, SatelliteRecord* itemRecord,
                                  AnsiCaseComparison sameName = AnsiEqualNoCase);

enum class SatelliteEditOutcome {
    Added,         // append the name to the list and select it
    Changed,       // delete the selected item, append the name and select it
    Removed,       // refill the list with BuildSatelliteList
    Duplicate,     // show the error; nothing changed
    Unchanged,     // the same satellite was entered again; nothing changed
    Invalid,       // the name or degree breaks the dialog's rules; show the error
    NothingDone,   // no current satellite to change or remove, or no database loaded
};

struct SatelliteEditResult {
    SatelliteEditOutcome outcome = SatelliteEditOutcome::NothingDone;
    MessageRef error;                          // for Duplicate and Invalid
    SatelliteRecord* record = nullptr;         // the added or changed satellite
    std::optional<std::int32_t> savedDegree;   // set the saved degree to this
    MainDialogEffects effects;
};

// New: a satellite with LNB power on and the Universal LNB type, appended and
// made current. In channel mode the degree is always 3600.
SatelliteEditResult CreateSatellite(CChannelDatabase& database, std::string_view name, std::int32_t degree,
                                    int deviceKind, AnsiCaseComparison sameName = AnsiEqualNoCase);
// Change: renames the current satellite and sets its degree (in channel mode
// it keeps its own). A new letter case of its own name is applied; only the
// name of another satellite at that degree, in any letter case, is a duplicate.
SatelliteEditResult ChangeSatellite(CChannelDatabase& database, std::string_view name, std::int32_t degree,
                                    int deviceKind, AnsiCaseComparison sameName = AnsiEqualNoCase);
// The question to ask before RemoveCurrentSatellite; go on only on Yes.
MessageRef RemoveSatelliteQuestion(int deviceKind);
// Remove: the current satellite with its transponders and PIDs.
SatelliteEditResult RemoveCurrentSatellite(CChannelDatabase& database, int deviceKind);
