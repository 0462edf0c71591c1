#include "simulator/CardModel.h"

#include "simulator/LnbTuning.h"
#include "simulator/OrbitalPosition.h"
#include "simulator/Usals.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quarlink {

namespace {

constexpr std::size_t kSmallCardSlots = 8;
constexpr std::size_t kCardSlots = 16;

bool IsCommittedSwitchCommand(std::uint8_t framing, std::uint8_t address, std::uint8_t command)
{
    const bool fromMaster = framing == 0xE0 || framing == 0xE1;
    const bool forSwitch = address >= 0x10 && address <= 0x15;
    return fromMaster && forSwitch && command == 0x38;
}

// Noise keeps a level inside 0..100; a level configured outside stays there,
// so that tests can feed the program odd readings.
int WithNoise(int level, int noise)
{
    if (level < 0 || level > 100)
        return level;
    return std::clamp(level + noise, 0, 100);
}

}   // namespace

CardModel::CardModel(CardConfig configuration, const Clock& clock)
    : config(std::move(configuration)), clock(clock), random(config.seed),
      motor(config.motor.startAngle, config.motor.degreesPerSecond),
      filter(config.deviceType == 1 ? kSmallCardSlots : kCardSlots), netMac(config.netMac)
{
    netMac.reserved[0] = netMac.reserved[1] = 0;
}

void CardModel::PowerUp()
{
    const std::uint64_t now = clock.NowMs();
    lnbPowered = false;
    tone = false;
    tunedCarrier = -1;
    lockLost = false;
    pollsWhileLocked = 0;
    lockLossesLeft = config.signal.loseLockTimes;
    pollsWithData = 0;
    dataStopsLeft = config.signal.dataStopsTimes;
    dataStopped = false;
    filterRunning = false;
    filter.Clear();
    filter.ResetCounters();
    countedUntilMs = now;
}

int CardModel::InitDise()
{
    PowerUp();
    open = true;
    return kCardOk;
}

int CardModel::ReleaseDise()
{
    AdvanceCounters(clock.NowMs());
    PowerUp();
    open = false;
    return kCardOk;
}

bool CardModel::HasLock(std::uint64_t nowMs) const
{
    if (!open || tunedCarrier < 0 || lockLost || nowMs < lockReadyMs)
        return false;
    if (config.Kind() != CardKind::Satellite)
        return true;
    const Carrier& carrier = config.carriers[static_cast<std::size_t>(tunedCarrier)];
    return lnbPowered && SatelliteInView(nowMs) == carrier.satellite;
}

int CardModel::SatelliteInView(std::uint64_t nowMs) const
{
    const int feed = config.switchInputs.empty()
                         ? config.direct
                         : config.switchInputs[static_cast<std::size_t>((committedSwitchBits >> 2) & 3)];
    return feed == kMotorisedDish ? SatelliteAtMotorAngle(motor.Angle(nowMs)) : feed;
}

int CardModel::SatelliteAtMotorAngle(double angle) const
{
    int nearest = kNoSatellite;
    double nearestDistance = config.motor.pointingTolerance;
    for (const Carrier& carrier : config.carriers) {
        const DishPointing pointing =
            PointDish(LongitudeOfPosition(carrier.satellite), config.motor.siteLongitude, config.motor.siteLatitude);
        const double distance = std::fabs(pointing.motorAngle - angle);
        if (pointing.Reachable() && distance <= nearestDistance) {
            nearest = carrier.satellite;
            nearestDistance = distance;
        }
    }
    return nearest;
}

bool CardModel::LosesLockOnThisPoll()
{
    if (config.signal.loseLockAfterPolls == 0 || lockLossesLeft == 0)
        return false;
    if (++pollsWhileLocked <= config.signal.loseLockAfterPolls)
        return false;
    --lockLossesLeft;
    return true;
}

bool CardModel::StopsDataOnThisPoll()
{
    if (dataStopped || config.signal.dataStopsAfterPolls == 0 || dataStopsLeft == 0)
        return false;
    if (++pollsWithData <= config.signal.dataStopsAfterPolls)
        return false;
    --dataStopsLeft;
    return true;
}

int CardModel::GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked)
{
    if (!open)
        return kCardNotOpen;
    if (!strength || !quality || !locked)
        return kCardFailed;
    const std::uint64_t now = clock.NowMs();
    bool hasLock = HasLock(now);
    if (hasLock && LosesLockOnThisPoll()) {
        AdvanceCounters(now);
        lockLost = true;
        hasLock = false;
    }
    if (hasLock && StopsDataOnThisPoll()) {
        AdvanceCounters(now);
        dataStopped = true;
    }
    const SignalConfig& signal = config.signal;
    int strengthLevel = hasLock ? signal.lockedStrength : signal.unlockedStrength;
    int qualityLevel = hasLock ? signal.lockedQuality : signal.unlockedQuality;
    if (hasLock) {
        const Carrier& carrier = config.carriers[static_cast<std::size_t>(tunedCarrier)];
        strengthLevel = carrier.strength >= 0 ? carrier.strength : strengthLevel;
        qualityLevel = carrier.quality >= 0 ? carrier.quality : qualityLevel;
    }
    *strength = WithNoise(strengthLevel, random.Spread(signal.noise));
    *quality = WithNoise(qualityLevel, random.Spread(signal.noise));
    *locked = hasLock ? 1 : 0;
    if (reserved1)
        *reserved1 = 0;
    if (reserved2)
        *reserved2 = 0;
    return kCardOk;
}

TuneOutcome CardModel::Tune(const LockArguments& args, std::uint64_t nowMs) const
{
    switch (config.Kind()) {
    case CardKind::Satellite: return TuneSatellite(config.carriers, {lnbPowered, SatelliteInView(nowMs)}, args);
    case CardKind::Cable: return TuneCable(config.carriers, args);
    default: return TuneTerrestrial(config.carriers, args);
    }
}

int CardModel::LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7)
{
    if (!open) {
        lastLockDetail = "card not open";
        return kCardNotOpen;
    }
    const std::uint64_t now = clock.NowMs();
    AdvanceCounters(now);
    const LockArguments args = {a1, a2, a3, a4, a5, a6, a7};
    const TuneOutcome outcome = Tune(args, now);
    tunedCarrier = outcome.carrier;
    lockReadyMs = now + config.lockTimeMs;
    lockLost = false;
    pollsWhileLocked = 0;
    pollsWithData = 0;
    dataStopped = false;
    lastLockDetail = outcome.detail;
    if (outcome.Locked() && config.Kind() == CardKind::Satellite)
        tone = ChooseOscillator(a4, static_cast<std::uint32_t>(a1), static_cast<std::uint32_t>(a6),
                                static_cast<std::uint32_t>(a7))
                   .tone;
    return outcome.Locked() ? kCardOk : kCardFailed;
}

int CardModel::SetDiseCom1(int tone22k, int, int, int lnbPower)
{
    if (!open)
        return kCardNotOpen;
    AdvanceCounters(clock.NowMs());
    tone = tone22k != 0;
    lnbPowered = lnbPower != 0;
    return kCardOk;
}

int CardModel::SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data)
{
    if (!open)
        return kCardNotOpen;
    AdvanceCounters(clock.NowMs());
    // The switch lives on the LNB supply: unpowered, it hears nothing. The
    // high nibble says which of the four low bits to change.
    if (lnbPowered && IsCommittedSwitchCommand(framing, address, command)) {
        const std::uint8_t change = static_cast<std::uint8_t>(data >> 4);
        committedSwitchBits = static_cast<std::uint8_t>((committedSwitchBits & ~change) | (data & change & 0x0F));
    }
    return kCardOk;
}

}   // namespace quarlink
