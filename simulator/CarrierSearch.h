// Whether a LockChannel3 request finds something on air. A satellite request
// must also get through the LNB: power on, a known LNB type, an intermediate
// frequency the tuner takes, and a satellite in front of the dish.
// Tolerances: satellite frequency within 3 MHz, symbol rate within 0.5 %;
// cable and terrestrial frequency within 200 kHz. Cable QAM and terrestrial
// bandwidth must be equal (0, "automatic", never is: the program searches);
// a cable symbol rate of 0 asks the card to find the symbol rate itself.
#pragma once

#include "simulator/CardConfig.h"

#include <array>
#include <string>
#include <vector>

namespace quarlink {

constexpr int kSatelliteToleranceMHz = 3;
constexpr int kChannelToleranceKHz = 200;

using LockArguments = std::array<int, 7>;

struct TuneOutcome {
    int carrier = -1;     // index into the carriers; -1: no lock
    std::string detail;   // what was found, or why nothing was
    bool Locked() const { return carrier >= 0; }
};

struct SatelliteFeed {
    bool lnbPowered = false;   // the supply switched by SetDiseCom1
    int satellite = kNoSatellite;
};

bool SymbolRateMatches(std::uint32_t requested, std::uint32_t onAir);

TuneOutcome TuneSatellite(const std::vector<Carrier>& carriers, const SatelliteFeed& feed, const LockArguments& args);
TuneOutcome TuneCable(const std::vector<Carrier>& carriers, const LockArguments& args);
TuneOutcome TuneTerrestrial(const std::vector<Carrier>& carriers, const LockArguments& args);

}   // namespace quarlink
