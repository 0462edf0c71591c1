// What the simulated receiver card is and what is on air around it, as read
// from the simulator's .ini text (format in simulator/README.md).
#pragma once

#include "driver/DriverRecords.h"
#include "simulator/ConfigValues.h"
#include "simulator/FaultPlan.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarlink {

enum class CardKind { Satellite, Cable, Terrestrial };

// The program's reading of the GetCIInfo value: below 5 satellite, 7 terrestrial, else cable.
CardKind KindOfCiInfo(int ciInfo);

// What a dish or switch input receives: an orbital position (tenths east), or one of these.
constexpr int kNoSatellite = -1;
constexpr int kMotorisedDish = -2;

struct OnAirPid {
    std::uint16_t pid = 0;
    std::uint32_t kbps = 0;
    std::vector<MacAddress> macs;   // the addresses seen in this PID's data
};

// One satellite transponder, or one cable or terrestrial channel.
struct Carrier {
    int satellite = 0;              // orbital position in tenths (satellite cards)
    std::uint32_t frequency = 0;    // satellite MHz; cable and terrestrial kHz
    int polarity = 0;               // 0 vertical, 1 horizontal
    std::uint32_t symbolRate = 0;   // ksps (satellite, cable)
    std::uint32_t qam = 0;          // cable
    std::uint32_t bandwidth = 0;    // MHz (terrestrial)
    int strength = -1;              // -1: the [Signal] levels
    int quality = -1;
    std::vector<OnAirPid> pids;
};

struct SignalConfig {
    int lockedStrength = 70;
    int lockedQuality = 65;
    int unlockedStrength = 8;
    int unlockedQuality = 0;
    int noise = 3;                          // readings vary by up to this much either way
    int errorPerMille = 0;                  // share of received bytes counted as errors
    std::uint32_t loseLockAfterPolls = 0;   // 0: the lock is never lost by itself
    std::uint32_t loseLockTimes = 1;
    // The stream stops while the lock holds (a stuck filter, a feed gone from
    // the transponder): no bytes arrive until the next LockChannel3.
    std::uint32_t dataStopsAfterPolls = 0;   // 0: never
    std::uint32_t dataStopsTimes = 1;
};

struct MotorConfig {
    double siteLongitude = 5.0;   // where the dish really stands (east positive)
    double siteLatitude = 52.0;
    double startAngle = 0.0;   // motor angle at power-up, east positive
    double degreesPerSecond = 2.0;
    double pointingTolerance = 0.5;   // the dish sees a satellite this close in motor angle
};

constexpr std::size_t kSwitchInputs = 4;

struct CardConfig {
    int ciInfo = 0;
    int deviceType = 2;
    MacAddress cardMac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    NetMacSetting netMac = {0, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {0, 0}};
    std::uint32_t lockTimeMs = 300;
    std::uint64_t seed = 1;
    SignalConfig signal;
    MotorConfig motor;
    // Inputs "LNB A" to "LNB D" of a DiSEqC switch; without any, the dish feeds the card directly.
    std::vector<int> switchInputs;
    int direct = kNoSatellite;
    std::vector<Carrier> carriers;
    FaultRules faults{};
    std::string logFile;
    std::vector<std::string> warnings;

    CardKind Kind() const { return KindOfCiInfo(ciInfo); }
};

CardConfig ReadCardConfig(std::string_view iniText);

}   // namespace quarlink
