// The band scans of cable and terrestrial cards: which frequencies are tried
// and what becomes of those that lock. A frequency where the list already
// has a channel is not tried; each that locks becomes a channel named as
// imports name them ("482000 kHz") and holding the values that locked, an
// edit like any other until Apply.
#pragma once

#include "tuning/ImportSummary.h"
#include "tuning/ScanEngine.h"
#include "tuning/TuningListImport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ChannelScanPlan {
    ScanJob job;                     // the frequencies to try, each with its value to search
    std::size_t alreadyInList = 0;   // not tried: a channel of the list is there
};

// frequencies: kHz, in the order to try. A frequency counts as in the list
// when a channel of the list lies closer than half its width
// (ChannelHalfWidthKhz): the same channel again.
ChannelScanPlan PlanChannelScan(const CChannelDatabase& database, LockKind kind,
                                const std::vector<std::int32_t>& frequencies);

struct FoundChannel {
    std::int32_t frequency = 0;
    std::int32_t lockedValue = 0;   // the QAM size or bandwidth that locked
};

// The steps that locked, in scan order.
std::vector<FoundChannel> FoundChannels(const ScanJob& job, const std::vector<ScanStep>& steps);

struct FoundChannelsAdded {
    std::size_t added = 0;
    std::size_t nameTaken = 0;   // a channel of the list has the name already: not added
    MainDialogEffects effects;
};

// Appends a channel per found one: terrestrial with the bandwidth that
// locked, cable with symbol rate 0 (found by the card) and the QAM size that
// locked. The cursors stay on the channel, tuning record and PID they were on.
FoundChannelsAdded AddFoundChannels(CChannelDatabase& database, int deviceKind, const std::vector<FoundChannel>& found,
                                    NameComparison sameName = AnsiEqualNoCase);

struct ChannelScanCounts {
    std::size_t tried = 0;
    std::size_t added = 0;
    std::size_t alreadyInList = 0;   // in the list before, or a name that is taken
    bool cancelled = false;
};

// The message that ends a band scan.
std::string ChannelScanSummary(const ChannelScanCounts& counts, const MessageLookup& text);
