// Any bytes as the card simulator's configuration: the reader keeps every
// value inside its documented range, and a card built from what it kept
// locks, filters and reports without overrunning the caller's buffers.
#include "simulator/CardConfig.h"
#include "simulator/CardModel.h"
#include "simulator/OnAirConfig.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

using namespace quarlink;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool Within(double value, double low, double high) { return std::isfinite(value) && value >= low && value <= high; }

void CheckCarrier(const Carrier& carrier)
{
    Require(carrier.frequency > 0);
    Require(carrier.strength >= -1000 && carrier.strength <= 1000);
    Require(carrier.quality >= -1000 && carrier.quality <= 1000);
    for (std::size_t i = 0; i < carrier.pids.size(); ++i) {
        Require(carrier.pids[i].pid <= 0x1FFF && carrier.pids[i].kbps <= kHighestPidKbps);
        for (std::size_t j = i + 1; j < carrier.pids.size(); ++j)
            Require(carrier.pids[i].pid != carrier.pids[j].pid);
    }
}

void CheckConfig(const CardConfig& config)
{
    Require(config.lockTimeMs <= 600000);
    Require(config.signal.noise >= 0 && config.signal.noise <= 100);
    Require(config.signal.errorPerMille >= 0 && config.signal.errorPerMille <= 1000);
    Require(Within(config.motor.siteLongitude, -180.0, 180.0) && Within(config.motor.siteLatitude, -90.0, 90.0));
    Require(Within(config.motor.startAngle, -80.0, 80.0));
    Require(Within(config.motor.degreesPerSecond, 0.01, 1000.0));
    Require(Within(config.motor.pointingTolerance, 0.01, 10.0));
    Require(config.switchInputs.empty() || config.switchInputs.size() == kSwitchInputs);
    for (const Carrier& carrier : config.carriers)
        CheckCarrier(carrier);
    for (const FaultRule& rule : config.faults)
        Require(rule.delayMs <= 600000);
    for (const std::string& warning : config.warnings)
        Require(warning.rfind("line ", 0) == 0);
}

// What the program asks of a card, for one carrier of the configuration.
void LockAndReceive(CardModel& card, ManualClock& clock, const Carrier& carrier)
{
    const CardConfig& config = card.Config();
    const int frequency = static_cast<int>(carrier.frequency);
    switch (config.Kind()) {
    case CardKind::Satellite:
        card.LockChannel3(frequency, static_cast<int>(carrier.symbolRate), carrier.polarity, 1, 1, 9750, 10600);
        break;
    case CardKind::Cable:
        card.LockChannel3(frequency, static_cast<int>(carrier.symbolRate), static_cast<int>(carrier.qam), 0, 0, 0, 0);
        break;
    case CardKind::Terrestrial: card.LockChannel3(frequency, static_cast<int>(carrier.bandwidth), 0, 0, 0, 0, 0); break;
    }
    clock.Advance(config.lockTimeMs + 1);
    int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, locked = 0;
    Require(card.GetSignalStrAndQu(&strength, &quality, &reserved1, &reserved2, &locked) == kCardOk);
    Require(locked == 0 || locked == 1);
    card.StartFilter();
    for (std::size_t i = 0; i < std::min<std::size_t>(carrier.pids.size(), 20); ++i)
        card.SetDataPID(carrier.pids[i].pid, 2, 1);
    clock.Advance(1500);
    StatsCounters counters{};
    Require(card.GetStatsCounters(&counters) == kCardOk);
    Require(counters.bytesReceived >= 0 && counters.bytesError >= 0 && counters.speed >= 0);
    for (const OnAirPid& pid : carrier.pids) {
        // Exactly the documented size, so that the sanitizer sees any write past it.
        auto buffer = std::make_unique<std::uint8_t[]>(kPidMacBufferSize);
        std::uint8_t length = 0;
        Require(card.GetDataPIDMAC(pid.pid, buffer.get(), &length) == kCardOk);
        Require(length % 6 == 0 && length <= kMaxReportedMacs * 6);
    }
    card.StopFilter();
}

void PointTheDish(CardModel& card, const Carrier& carrier)
{
    const MotorConfig& motor = card.Config().motor;
    double angle = 0.0, elevation = 0.0;
    const int result = card.GotoSat(carrier.satellite, motor.siteLongitude, motor.siteLatitude, &angle, &elevation);
    if (card.LastGotoSatFilled())
        Require(std::isfinite(angle) && std::isfinite(elevation));
    Require(result == kCardOk || result == kCardFailed);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CardConfig config = ReadCardConfig(text);
    CheckConfig(config);

    ManualClock clock;
    CardModel card(config, clock);
    Require(card.InitDise() == kCardOk);
    card.SetDiseCom1(0, 0, 0, 1);
    const std::size_t carriers = std::min<std::size_t>(config.carriers.size(), 4);
    for (std::size_t i = 0; i < carriers; ++i) {
        LockAndReceive(card, clock, config.carriers[i]);
        if (config.Kind() == CardKind::Satellite)
            PointTheDish(card, config.carriers[i]);
    }
    card.ReleaseDise();
    return 0;
}
