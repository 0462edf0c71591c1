// The tuning values a cable or terrestrial channel gets when it has none: for
// the "Default" channel of an empty database and for a channel whose page is
// shown before it has a tuning record.
#pragma once

#include "database/ChannelRecords.h"

#include <memory>

constexpr std::int32_t kDefaultCableFrequency = 473000;   // kHz
constexpr std::int32_t kDefaultCableSymbolRate = 6500;    // ksps
constexpr std::int32_t kDefaultCableQam = 16;
constexpr std::int32_t kDefaultTerrestrialFrequency = 51000;   // kHz
constexpr std::int32_t kDefaultTerrestrialBandwidth = 6;       // MHz

constexpr const char* kDefaultChannelName = "Default";

// A zeroed record with an empty name and the defaults of a terrestrial or a
// cable channel.
inline std::unique_ptr<TransponderRecord> MakeDefaultTuningRecord(bool terrestrial)
{
    auto record = std::make_unique<TransponderRecord>();
    if (terrestrial) {
        record->frequency = kDefaultTerrestrialFrequency;
        record->symbolRate = kDefaultTerrestrialBandwidth;
    } else {
        record->frequency = kDefaultCableFrequency;
        record->symbolRate = kDefaultCableSymbolRate;
        record->polarity = kDefaultCableQam;
    }
    return record;
}
