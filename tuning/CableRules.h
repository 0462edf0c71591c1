// The Cable Setting page: frequency (kHz), symbol rate (ksps) and QAM size of
// the current channel's tuning record, whose polarity field holds the QAM size.
#pragma once

#include "database/ChannelDefaults.h"
#include "database/ChannelRecords.h"
#include "tuning/TuningFieldRules.h"

#include <string>
#include <string_view>

constexpr TuningFieldRange kCableFrequencyRange{40000, 870000, kDefaultCableFrequency};
constexpr TuningFieldRange kCableSymbolRateRange{0, 7000, kDefaultCableSymbolRate};

// The QAM size each index of the combo box (its items come with the template) stores.
inline constexpr std::int32_t kQamValues[] = {0, 16, 32, 64, 128, 256};

int QamIndexOf(std::int32_t qamSize);   // 0 ("Auto") for sizes not in the table
std::int32_t QamSizeAt(int index);      // 0 for indexes outside the table

struct CablePageView {
    bool shown = false;   // false: no current channel; leave the controls as they are
    std::string frequencyText;
    std::string symbolRateText;
    int qamIndex = 0;
};
CablePageView CableViewOf(const TransponderRecord* tuning);

// Focus loss of the fields; tuning is the current tuning record or null.
TuningFieldCommit CommitCableFrequency(TransponderRecord* tuning, std::string_view text);
TuningFieldCommit CommitCableSymbolRate(TransponderRecord* tuning, std::string_view text);

// A QAM item was chosen. Returns true when stored; the page then refreshes.
// The settings count as changed in any case.
bool ChooseQam(TransponderRecord* tuning, int index);
