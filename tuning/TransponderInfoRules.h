// The value rules of satellite transponders, shared by the Transponder Info
// dialog (checked at OK, with a message) and the Dish Setting page (where a
// bad entry is silently put back).
#pragma once

#include "common/RuleResult.h"

#include <cstdint>
#include <string_view>

constexpr std::uint32_t kMinSatelliteFrequency = 950;   // MHz
constexpr std::uint32_t kMaxSatelliteFrequency = 14000;
constexpr std::uint32_t kMinSatelliteSymbolRate = 900;   // ksps
constexpr std::uint32_t kMaxSatelliteSymbolRate = 45000;
constexpr std::size_t kTransponderFieldMaxLength = 5;   // digits in each edit

bool IsSatelliteFrequencyValid(std::uint32_t frequency);
bool IsSatelliteSymbolRateValid(std::uint32_t symbolRate);

enum class TransponderInfoField { None, Frequency, SymbolRate, Polarity };

struct TransponderInfoCheck {
    bool ok = false;
    MessageRef message;                                        // when not ok
    TransponderInfoField focus = TransponderInfoField::None;   // when not ok
};

// The check at OK, in this order: frequency present, symbol rate present,
// frequency 950 to 14000, symbol rate 900 to 45000, a polarity chosen (0
// vertical, 1 horizontal; -1 none). Text other than digits is out of range.
TransponderInfoCheck CheckTransponderInfo(std::string_view frequencyText, std::string_view symbolRateText,
                                          int polarity);

MessageRef FrequencyInvalidMessage();
MessageRef SymbolRateInvalidMessage();
MessageRef TransponderExistsMessage();
MessageRef RemoveTransponderQuestion();
