#include "simulator/CarrierSearch.h"

#include "simulator/LnbTuning.h"
#include "simulator/OrbitalPosition.h"

#include <cstdio>
#include <cstdlib>

namespace quarlink {

namespace {

bool Near(int requested, std::uint32_t onAir, int tolerance)
{
    return std::llabs(static_cast<long long>(requested) - onAir) <= tolerance;
}

std::string Format(const char* format, auto... values)
{
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

const char* PolarityLetter(int polarity) { return polarity != 0 ? "H" : "V"; }

TuneOutcome NotLocked(std::string detail) { return {-1, std::move(detail)}; }

}   // namespace

bool SymbolRateMatches(std::uint32_t requested, std::uint32_t onAir)
{
    const long long difference = std::llabs(static_cast<long long>(requested) - onAir);
    return difference * 1000 <= static_cast<long long>(onAir) * 5;
}

TuneOutcome TuneSatellite(const std::vector<Carrier>& carriers, const SatelliteFeed& feed, const LockArguments& args)
{
    const auto [frequency, symbolRate, polarity, lnbType, lnbPower, lnbFreq1, lnbFreq2] = args;
    const LnbTuning lnb = ChooseOscillator(lnbType, static_cast<std::uint32_t>(frequency),
                                           static_cast<std::uint32_t>(lnbFreq1), static_cast<std::uint32_t>(lnbFreq2));
    if (!lnb.knownType)
        return NotLocked(Format("unknown LNB type %d", lnbType));
    if (!feed.lnbPowered || lnbPower == 0)
        return NotLocked(feed.lnbPowered ? "LNB power argument is 0" : "LNB power is off (SetDiseCom1)");
    if (lnb.oscillatorMHz == 0)
        return NotLocked("no local oscillator for this LNB");
    if (!lnb.InTunerRange())
        return NotLocked(Format("IF %d MHz (LO %u) outside %d..%d", lnb.intermediateMHz, lnb.oscillatorMHz,
                                kTunerLowestMHz, kTunerHighestMHz));
    if (feed.satellite < 0)
        return NotLocked("no satellite in front of the dish on this input");

    const int wantedPolarity = polarity != 0 ? 1 : 0;
    const std::string satellite = OrbitalPositionText(feed.satellite);
    for (std::size_t i = 0; i < carriers.size(); ++i) {
        const Carrier& carrier = carriers[i];
        if (carrier.satellite == feed.satellite && carrier.polarity == wantedPolarity &&
            Near(frequency, carrier.frequency, kSatelliteToleranceMHz) && symbolRate > 0 &&
            SymbolRateMatches(static_cast<std::uint32_t>(symbolRate), carrier.symbolRate)) {
            return {static_cast<int>(i), Format("%s %u %s %u, LO %u, IF %d", satellite.c_str(), carrier.frequency,
                                                PolarityLetter(carrier.polarity), carrier.symbolRate, lnb.oscillatorMHz,
                                                lnb.intermediateMHz)};
        }
    }
    return NotLocked(Format("nothing on air at %d %s %d from %s", frequency, PolarityLetter(wantedPolarity), symbolRate,
                            satellite.c_str()));
}

TuneOutcome TuneCable(const std::vector<Carrier>& carriers, const LockArguments& args)
{
    const int frequency = args[0];
    const int symbolRate = args[1];
    const int qam = args[2];
    for (std::size_t i = 0; i < carriers.size(); ++i) {
        const Carrier& carrier = carriers[i];
        const bool rateFits =
            symbolRate == 0 ||
            (symbolRate > 0 && SymbolRateMatches(static_cast<std::uint32_t>(symbolRate), carrier.symbolRate));
        if (Near(frequency, carrier.frequency, kChannelToleranceKHz) && rateFits && qam > 0 &&
            static_cast<std::uint32_t>(qam) == carrier.qam) {
            return {static_cast<int>(i),
                    Format("%u kHz %u ksps QAM %u", carrier.frequency, carrier.symbolRate, carrier.qam)};
        }
    }
    return NotLocked(Format("nothing on air at %d kHz, %d ksps, QAM %d", frequency, symbolRate, qam));
}

TuneOutcome TuneTerrestrial(const std::vector<Carrier>& carriers, const LockArguments& args)
{
    const int frequency = args[0];
    const int bandwidth = args[1];
    for (std::size_t i = 0; i < carriers.size(); ++i) {
        const Carrier& carrier = carriers[i];
        if (Near(frequency, carrier.frequency, kChannelToleranceKHz) && bandwidth > 0 &&
            static_cast<std::uint32_t>(bandwidth) == carrier.bandwidth) {
            return {static_cast<int>(i), Format("%u kHz %u MHz", carrier.frequency, carrier.bandwidth)};
        }
    }
    return NotLocked(Format("nothing on air at %d kHz, %d MHz", frequency, bandwidth));
}

}   // namespace quarlink
