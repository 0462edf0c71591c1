// The frequencies a band scan tries, in kHz: the European channel rasters of
// terrestrial and cable television, and every frequency of the Terrestrial
// Setting page's range in a step the user gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// VHF channels 5 to 12 (177,500 to 226,500 kHz, 7 MHz apart), then UHF
// channels 21 to 69 (474,000 to 858,000 kHz, 8 MHz apart): 57 frequencies.
std::vector<std::int32_t> TerrestrialRaster();

// 73 and 81 MHz, 113 to 169 MHz and 314 to 858 MHz in 8 MHz steps: 79 frequencies.
std::vector<std::int32_t> CableRaster();

constexpr int kMinScanStepMHz = 1;
constexpr int kMaxScanStepMHz = 8;

// What the Step field asks for: nothing (the raster), a step, or neither
// (the entry is refused and no scan runs).
struct ScanStepEntry {
    bool accepted = false;
    std::optional<int> stepMHz;   // none: the raster
};

// Blank or empty: the raster. A whole number of MHz from 1 to 8, blanks
// around it allowed: that step. Anything else is refused.
ScanStepEntry ReadScanStep(std::string_view text);

// The frequencies of an accepted entry: the raster, or every frequency from
// 51,000 kHz to 860,000 kHz (the page's range) in the step.
std::vector<std::int32_t> TerrestrialPlan(const ScanStepEntry& entry);

// Half the width a channel takes up around its frequency, in kHz: no other
// channel can lie closer, so a frequency that near one already known is
// the same channel again. Terrestrial: half its bandwidth in MHz (6 while it
// is not known); cable: half the 8 MHz of the cable raster.
std::int32_t ChannelHalfWidthKhz(bool terrestrial, std::int32_t bandwidthMHz);
