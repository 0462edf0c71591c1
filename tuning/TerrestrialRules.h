// The Terrestrial Setting page: frequency (kHz) and bandwidth (MHz) of the
// current channel's tuning record, whose symbol rate field holds the bandwidth.
#pragma once

#include "database/ChannelDefaults.h"
#include "database/ChannelRecords.h"
#include "tuning/TuningFieldRules.h"

#include <string>
#include <string_view>

constexpr TuningFieldRange kTerrestrialFrequencyRange{51000, 860000, kDefaultTerrestrialFrequency};

// The bandwidth each index of the combo box (its items come with the template) stores.
inline constexpr std::int32_t kBandwidthValues[] = {0, 6, 7, 8};

int BandwidthIndexOf(std::int32_t bandwidth);   // 0 ("Auto") for bandwidths not in the table
std::int32_t BandwidthAt(int index);            // 0 for indexes outside the table

struct TerrestrialPageView {
    bool shown = false;   // false: no current channel; leave the controls as they are
    std::string frequencyText;
    int bandwidthIndex = 0;
};
TerrestrialPageView TerrestrialViewOf(const TransponderRecord* tuning);

// Focus loss of the frequency field; tuning is the current tuning record or null.
TuningFieldCommit CommitTerrestrialFrequency(TransponderRecord* tuning, std::string_view text);

// A bandwidth item was chosen. Returns true when stored; the page then
// refreshes. The settings count as changed in any case.
bool ChooseBandwidth(TransponderRecord* tuning, int index);
