#include "tuning/TransponderInfoRules.h"

#include "common/DecimalText.h"

namespace {

// The empty-field text has no full stop, unlike the out-of-range one.
constexpr MessageRef kFrequencyEmpty{"String15", "Frequency data is invalid,it must be 950-14000"};
constexpr MessageRef kFrequencyInvalid{"String15", "Frequency data is invalid,it must be 950-14000."};
constexpr MessageRef kSymbolRateInvalid{"String16", "Symbol rate data is invalid,it must be 900-45000"};
constexpr MessageRef kPolarityInvalid{"String17", "Polarity is invalid"};

bool InRange(std::string_view text, std::uint32_t low, std::uint32_t high)
{
    const auto value = ParseDigits(text);
    return value && *value >= low && *value <= high;
}

TransponderInfoCheck Refuse(MessageRef message, TransponderInfoField focus) { return {false, message, focus}; }

}   // namespace

bool IsSatelliteFrequencyValid(std::uint32_t frequency)
{
    return frequency >= kMinSatelliteFrequency && frequency <= kMaxSatelliteFrequency;
}

bool IsSatelliteSymbolRateValid(std::uint32_t symbolRate)
{
    return symbolRate >= kMinSatelliteSymbolRate && symbolRate <= kMaxSatelliteSymbolRate;
}

TransponderInfoCheck CheckTransponderInfo(std::string_view frequencyText, std::string_view symbolRateText, int polarity)
{
    if (frequencyText.empty())
        return Refuse(kFrequencyEmpty, TransponderInfoField::Frequency);
    if (symbolRateText.empty())
        return Refuse(kSymbolRateInvalid, TransponderInfoField::SymbolRate);
    if (!InRange(frequencyText, kMinSatelliteFrequency, kMaxSatelliteFrequency))
        return Refuse(kFrequencyInvalid, TransponderInfoField::Frequency);
    if (!InRange(symbolRateText, kMinSatelliteSymbolRate, kMaxSatelliteSymbolRate))
        return Refuse(kSymbolRateInvalid, TransponderInfoField::SymbolRate);
    if (polarity != 0 && polarity != 1)
        return Refuse(kPolarityInvalid, TransponderInfoField::Polarity);
    return {true, {}, TransponderInfoField::None};
}

MessageRef FrequencyInvalidMessage() { return kFrequencyInvalid; }
MessageRef SymbolRateInvalidMessage() { return kSymbolRateInvalid; }
MessageRef TransponderExistsMessage() { return {"String1", "This transponder already exist."}; }
MessageRef RemoveTransponderQuestion() { return {"String27", "Are you sure to remove the current transponder?"}; }
