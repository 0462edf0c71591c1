// The three levels of the channel database: satellites (or, for cable and
// terrestrial cards, channels), their transponders (tuning values) and PIDs.
// Records are singly linked; the database owns every record in its lists.
#pragma once

#include <cstdint>

struct PidRecord {
    std::int32_t pid = 0;
    std::int32_t loaded = 0;   // 1 when loaded into the card's filter
    std::int32_t type = 0;     // 0 to 3
    char name[20] = {};        // zero-terminated, at most 19 characters
    PidRecord* next = nullptr;
};

struct TransponderRecord {
    char name[32] = {};            // satellite: "%u%s/%u" label; cable/terrestrial: empty
    std::int32_t frequency = 0;    // satellite MHz; cable and terrestrial kHz
    std::int32_t symbolRate = 0;   // ksps; terrestrial: bandwidth MHz (0 automatic)
    std::int32_t polarity = 0;     // satellite 0 V / else H; cable QAM size (0 automatic)
    std::int32_t pidCount = 0;
    PidRecord* firstPid = nullptr;
    TransponderRecord* next = nullptr;
};

// A satellite's dish: fixed, moved by a DiSEqC 1.2 motor, or by a USALS motor.
constexpr std::int32_t kDishFixed = 0;
constexpr std::int32_t kDishDiseqcMotor = 1;
constexpr std::int32_t kDishUsals = 2;

struct SatelliteRecord {
    char name[32] = {};            // zero-terminated, at most 31 characters
    std::int32_t degree = 0;       // 0 to 3600; 3600 for cable and terrestrial channels
    std::int32_t dishType = 0;     // kDishFixed, kDishDiseqcMotor or kDishUsals
    std::int32_t diseqcPort = 0;   // 0 disabled, 1 to 4 LNB A to D
    std::int32_t lnbPower = 0;
    std::int32_t tone22k = 0;
    std::int32_t lnbType = 0;    // 0 normal 5150/5750, 1 universal 9750/10600, 2 custom
    std::int32_t lnbFreq1 = 0;   // MHz, shown unsigned
    std::int32_t lnbFreq2 = 0;
    std::int32_t transponderCount = 0;
    TransponderRecord* firstTransponder = nullptr;
    SatelliteRecord* next = nullptr;
};

struct SatelliteList {
    std::int32_t satelliteCount = 0;
    SatelliteRecord* firstSatellite = nullptr;
};

constexpr std::int32_t kChannelDegree = 3600;   // degree of every cable and terrestrial channel
