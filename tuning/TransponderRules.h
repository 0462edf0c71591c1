// The transponder handling of the Dish Setting page: New, Remove, picking a
// transponder, and the frequency, symbol rate and polarity edits of the
// current one. A transponder may not become equal (frequency, symbol rate and
// polarity) to another of its satellite; a bad or clashing entry is put back.
#pragma once

#include "common/RuleResult.h"
#include "database/ChannelDatabase.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class TransponderEditOutcome {
    NothingDone,   // no current satellite or transponder
    Added,
    Removed,
    Changed,     // the current transponder took the new value and name
    Unchanged,   // the entry names the current transponder's own value
    Restored,    // the entry was bad or clashed: the control shows the stored value again
    Duplicate,   // as Restored, and the error is shown
    Invalid,     // New with values outside their ranges; the error is shown
};

struct TransponderEditResult {
    TransponderEditOutcome outcome = TransponderEditOutcome::NothingDone;
    MessageRef error;    // for Duplicate and Invalid
    std::string text;    // frequency and symbol rate edits: what the control shows afterwards
    int polarity = -1;   // polarity edit: the radio button to show afterwards (0 V, 1 H)
    MainDialogEffects effects;
};

// New, with values from the Transponder Info dialog: named "%u%s/%u",
// appended to the current satellite and made current.
TransponderEditResult CreateTransponder(CChannelDatabase& database, std::uint32_t frequency, std::uint32_t symbolRate,
                                        int polarity);
// Remove, after the question (RemoveTransponderQuestion) was answered Yes.
TransponderEditResult RemoveCurrentTransponder(CChannelDatabase& database);
// The frequency combo box lost the focus with this text.
TransponderEditResult EditTransponderFrequency(CChannelDatabase& database, std::string_view comboText);
// The symbol rate edit lost the focus with this text; a changed name ends in it as typed.
TransponderEditResult EditTransponderSymbolRate(CChannelDatabase& database, std::string_view typedText);
// A polarity button was clicked (0 vertical, 1 horizontal).
TransponderEditResult EditTransponderPolarity(CChannelDatabase& database, int polarity);
// A frequency combo item was picked; its item data is the record.
MainDialogEffects ChooseTransponder(CChannelDatabase& database, TransponderRecord* item);
