#include "tuning/TransponderRules.h"

#include "common/DecimalText.h"
#include "tuning/TransponderInfoRules.h"
#include "tuning/TransponderNames.h"

namespace {

constexpr MainDialogEffects kDatabaseChanged{true, true, true};

TransponderRecord MakeProbe(std::int32_t frequency, std::int32_t symbolRate, std::int32_t polarity)
{
    TransponderRecord probe;
    probe.frequency = frequency;
    probe.symbolRate = symbolRate;
    probe.polarity = polarity;
    return probe;
}

TransponderEditResult WithText(TransponderEditOutcome outcome, std::string text, MessageRef error = {})
{
    TransponderEditResult result;
    result.outcome = outcome;
    result.error = error;
    result.text = std::move(text);
    return result;
}

TransponderEditResult WithPolarity(TransponderEditOutcome outcome, int polarity)
{
    TransponderEditResult result;
    result.outcome = outcome;
    result.polarity = polarity;
    return result;
}

}   // namespace

TransponderEditResult CreateTransponder(CChannelDatabase& database, std::uint32_t frequency, std::uint32_t symbolRate,
                                        int polarity)
{
    if (!database.CurrentSatellite())
        return {};
    if (!IsSatelliteFrequencyValid(frequency))
        return WithText(TransponderEditOutcome::Invalid, {}, FrequencyInvalidMessage());
    if (!IsSatelliteSymbolRateValid(symbolRate))
        return WithText(TransponderEditOutcome::Invalid, {}, SymbolRateInvalidMessage());

    auto record = std::make_unique<TransponderRecord>(
        MakeProbe(static_cast<std::int32_t>(frequency), static_cast<std::int32_t>(symbolRate), polarity == 0 ? 0 : 1));
    if (database.FindTransponder(record.get()))
        return WithText(TransponderEditOutcome::Duplicate, {}, TransponderExistsMessage());
    NameTransponder(*record);
    database.AddTransponder(std::move(record), 1);
    TransponderEditResult result;
    result.outcome = TransponderEditOutcome::Added;
    result.effects = kDatabaseChanged;
    return result;
}

TransponderEditResult RemoveCurrentTransponder(CChannelDatabase& database)
{
    const TransponderRecord* current = database.CurrentTransponder();
    if (!database.CurrentSatellite() || !current)
        return {};
    const TransponderRecord probe = MakeProbe(current->frequency, current->symbolRate, current->polarity);
    database.RemoveTransponder(&probe);
    TransponderEditResult result;
    result.outcome = TransponderEditOutcome::Removed;
    result.effects = kDatabaseChanged;
    return result;
}

TransponderEditResult EditTransponderFrequency(CChannelDatabase& database, std::string_view comboText)
{
    TransponderRecord* current = database.CurrentTransponder();
    if (!current)
        return {};
    std::string currentText = FormatUnsigned(current->frequency);
    const auto frequency = ParseDigits(comboText);
    if (!frequency || !IsSatelliteFrequencyValid(*frequency))
        return WithText(TransponderEditOutcome::Restored, currentText);
    if (comboText == currentText)
        return WithText(TransponderEditOutcome::Unchanged, currentText);

    const TransponderRecord probe =
        MakeProbe(static_cast<std::int32_t>(*frequency), current->symbolRate, current->polarity);
    if (const TransponderRecord* found = database.FindTransponder(&probe)) {
        // "0950" for a transponder at 950 names the transponder itself.
        if (found == current)
            return WithText(TransponderEditOutcome::Unchanged, currentText);
        return WithText(TransponderEditOutcome::Duplicate, currentText, TransponderExistsMessage());
    }
    current->frequency = static_cast<std::int32_t>(*frequency);
    NameTransponder(*current);
    TransponderEditResult result = WithText(TransponderEditOutcome::Changed, FormatUnsigned(current->frequency));
    result.effects = kDatabaseChanged;
    return result;
}

TransponderEditResult EditTransponderSymbolRate(CChannelDatabase& database, std::string_view typedText)
{
    TransponderRecord* current = database.CurrentTransponder();
    if (!current)
        return {};
    const auto symbolRate = ParseDigits(typedText);
    if (!symbolRate || !IsSatelliteSymbolRateValid(*symbolRate))
        return WithText(TransponderEditOutcome::Restored, FormatUnsigned(current->symbolRate));

    const TransponderRecord probe =
        MakeProbe(current->frequency, static_cast<std::int32_t>(*symbolRate), current->polarity);
    if (const TransponderRecord* found = database.FindTransponder(&probe)) {
        if (found == current)
            return WithText(TransponderEditOutcome::Unchanged, std::string(typedText));
        return WithText(TransponderEditOutcome::Restored, FormatUnsigned(current->symbolRate));
    }
    current->symbolRate = static_cast<std::int32_t>(*symbolRate);
    RenameForSymbolRate(*current, typedText);
    TransponderEditResult result = WithText(TransponderEditOutcome::Changed, std::string(typedText));
    result.effects = kDatabaseChanged;
    return result;
}

TransponderEditResult EditTransponderPolarity(CChannelDatabase& database, int polarity)
{
    TransponderRecord* current = database.CurrentTransponder();
    if (!current)
        return {};
    const int chosen = polarity == 0 ? 0 : 1;
    const int stored = current->polarity == 0 ? 0 : 1;
    const TransponderRecord probe = MakeProbe(current->frequency, current->symbolRate, chosen);
    if (const TransponderRecord* found = database.FindTransponder(&probe)) {
        if (found == current)
            return WithPolarity(TransponderEditOutcome::Unchanged, stored);
        return WithPolarity(TransponderEditOutcome::Restored, stored);
    }
    current->polarity = chosen;
    RenameForPolarity(*current);
    TransponderEditResult result = WithPolarity(TransponderEditOutcome::Changed, chosen);
    result.effects = kDatabaseChanged;
    return result;
}

MainDialogEffects ChooseTransponder(CChannelDatabase& database, TransponderRecord* item)
{
    if (!item)
        return {};
    const bool tuningChanged = item != database.CurrentTransponder();
    database.SelectTransponder(item);
    return {tuningChanged, true, true};
}
