#include "tuning/LnbRules.h"

#include "common/DecimalText.h"

#include <iterator>

namespace {

constexpr std::uint32_t kMaxLnbFrequency = 99999;   // what five digits can hold

LnbFrequencyPair PairOf(const SatelliteRecord& satellite)
{
    return {static_cast<std::uint32_t>(satellite.lnbFreq1), static_cast<std::uint32_t>(satellite.lnbFreq2)};
}

void StorePair(SatelliteRecord& satellite, LnbFrequencyPair pair)
{
    satellite.lnbFreq1 = static_cast<std::int32_t>(pair.frequency1);
    satellite.lnbFreq2 = static_cast<std::int32_t>(pair.frequency2);
}

int IndexOrNone(std::int32_t value, int count) { return value >= 0 && value < count ? value : -1; }

// Settings count as changed only when a stored value really changes, so that
// a refresh echoing the record back into the controls leaves Apply alone.
MainDialogEffects StoreIfDifferent(std::int32_t& field, std::int32_t value)
{
    if (field == value)
        return {};
    field = value;
    return {false, false, true};
}

}   // namespace

std::optional<LnbFrequencyPair> FixedLnbPair(int lnbType)
{
    if (lnbType == kLnbTypeNormal)
        return LnbFrequencyPair{5150, 5750};
    if (lnbType == kLnbTypeUniversal)
        return LnbFrequencyPair{9750, 10600};
    return std::nullopt;
}

LnbPageView RefreshLnbPage(SatelliteRecord* satellite)
{
    LnbPageView view;
    if (!satellite)
        return view;
    view.dishType = IndexOrNone(satellite->dishType, 3);
    view.tone22k = satellite->tone22k > 0 ? 1 : 0;
    view.lnbPower = satellite->lnbPower > 0 ? 1 : 0;
    view.diseqcPort = IndexOrNone(satellite->diseqcPort, 5);
    view.lnbType = IndexOrNone(satellite->lnbType, 3);
    view.frequencyEditsEnabled = satellite->lnbType == kLnbTypeCustom;
    // An unknown type from a foreign file keeps its frequencies untouched.
    if (const auto fixed = FixedLnbPair(satellite->lnbType))
        StorePair(*satellite, *fixed);
    view.frequency1Text = FormatUnsigned(satellite->lnbFreq1);
    view.frequency2Text = FormatUnsigned(satellite->lnbFreq2);
    return view;
}

LnbTypeChoice ChooseLnbType(SatelliteRecord* satellite, int index)
{
    LnbTypeChoice choice;
    if (!satellite || index < 0 || index > kLnbTypeCustom)
        return choice;
    const SatelliteRecord before = *satellite;
    satellite->lnbType = index;
    if (index == kLnbTypeCustom) {
        const LnbFrequencyPair pair = PairOf(*satellite);
        if (pair == LnbFrequencyPair{} || pair == FixedLnbPair(kLnbTypeNormal) ||
            pair == FixedLnbPair(kLnbTypeUniversal))
            StorePair(*satellite, kCustomLnbStartPair);
    } else {
        StorePair(*satellite, *FixedLnbPair(index));
    }
    choice.applied = true;
    choice.frequencyEditsEnabled = index == kLnbTypeCustom;
    choice.frequency1Text = FormatUnsigned(satellite->lnbFreq1);
    choice.frequency2Text = FormatUnsigned(satellite->lnbFreq2);
    choice.effects.markSettingsChanged = before.lnbType != satellite->lnbType || PairOf(before) != PairOf(*satellite);
    return choice;
}

MainDialogEffects ChooseDiseqcPort(SatelliteRecord* satellite, int index)
{
    if (!satellite || index < 0 || index >= static_cast<int>(std::size(kDiseqcPortItems)))
        return {};
    return StoreIfDifferent(satellite->diseqcPort, index);
}

MainDialogEffects SetDishType(SatelliteRecord* satellite, int index)
{
    if (!satellite || index < kDishFixed || index > kDishUsals)
        return {};
    return StoreIfDifferent(satellite->dishType, index);
}

MainDialogEffects SetTone22k(SatelliteRecord* satellite, bool on)
{
    return satellite ? StoreIfDifferent(satellite->tone22k, on ? 1 : 0) : MainDialogEffects{};
}

MainDialogEffects SetLnbPower(SatelliteRecord* satellite, bool on)
{
    return satellite ? StoreIfDifferent(satellite->lnbPower, on ? 1 : 0) : MainDialogEffects{};
}

LnbFrequencyEdit EditLnbFrequency(SatelliteRecord* satellite, LnbFrequencyField field, std::string_view previousText,
                                  std::string_view typedText)
{
    LnbFrequencyEdit edit;
    const auto typed = ParseDigits(typedText);
    const bool refused = !typedText.empty() && (!typed || *typed > kMaxLnbFrequency);
    const std::string_view kept = typedText.empty() ? std::string_view("0") : refused ? previousText : typedText;
    edit.text = std::string(kept);
    edit.textReplaced = typedText.empty() || refused;
    if (!satellite)
        return edit;
    const auto value = ParseDigits(edit.text);
    if (!value || *value > kMaxLnbFrequency)
        return edit;
    std::int32_t& stored = field == LnbFrequencyField::First ? satellite->lnbFreq1 : satellite->lnbFreq2;
    edit.effects = StoreIfDifferent(stored, static_cast<std::int32_t>(*value));
    return edit;
}

bool IsUsalsAvailable(int deviceKind) { return deviceKind != 3; }
