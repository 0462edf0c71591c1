#include "tuning/TuningFieldRules.h"

#include "common/DecimalText.h"

TuningFieldCommit CommitTuningField(std::string_view text, const TuningFieldRange& range, std::int32_t* storedValue)
{
    TuningFieldCommit commit;
    commit.text = std::string(text);
    const std::int32_t value = ReadLeadingNumber(text);
    if (text.empty() || value < range.minimum || value > range.maximum) {
        commit.text = FormatUnsigned(storedValue ? *storedValue : range.defaultValue);
        commit.replaced = true;
    }
    // A replaced entry shows the record's own value, which stays as it is.
    if (storedValue && !commit.replaced) {
        *storedValue = value;
        commit.stored = true;
    }
    return commit;
}

int TableIndexOf(std::span<const std::int32_t> values, std::int32_t value)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == value)
            return static_cast<int>(i);
    }
    return 0;
}

std::int32_t TableValueAt(std::span<const std::int32_t> values, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < values.size() ? values[index] : 0;
}
