// The number fields of the Cable and Terrestrial Setting pages. A field is
// checked when it loses the focus: an empty or out-of-range entry is replaced
// silently by the stored value (or the default while the channel has no
// tuning record), and the value shown is then stored.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct TuningFieldRange {
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t defaultValue;   // shown while there is no tuning record
};

struct TuningFieldCommit {
    std::string text;        // what the field shows afterwards
    bool replaced = false;   // the entry was refused and replaced
    bool stored = false;     // the entry's value reached the record
};

// The entry is read like atol: leading digits, so "51000ab" is 51000 and keeps
// its text. storedValue is the record's field, or null without a tuning record.
TuningFieldCommit CommitTuningField(std::string_view text, const TuningFieldRange& range, std::int32_t* storedValue);

// Combo index of a value in a table whose index 0 ("Auto", value 0) also
// stands for every value the table does not hold.
int TableIndexOf(std::span<const std::int32_t> values, std::int32_t value);
// The value of a combo index; 0 ("Auto") for an index outside the table.
std::int32_t TableValueAt(std::span<const std::int32_t> values, int index);
