// The commands that set up the LNB supply and the switch in front of it
// before a satellite card is tuned: 22 kHz tone and LNB power, then the
// DiSEqC 1.0 committed-switch command E0 10 38 <data>.
#pragma once

#include "common/TextSink.h"
#include "database/ChannelRecords.h"
#include "driver/ReceiverDriver.h"

#include <cstdint>
#include <functional>
#include <string>

// Blocks for the given milliseconds; tests substitute one that only records.
using PauseFunction = std::function<void(int milliseconds)>;

constexpr std::uint8_t kDiseqcFraming = 0xE0;   // from master, no reply, first transmission
constexpr std::uint8_t kDiseqcAddress = 0x10;   // any LNB, switcher or SMATV
constexpr std::uint8_t kDiseqcCommittedSwitch = 0x38;
constexpr int kDiseqcSettleMilliseconds = 100;   // after the switch command, before anything else

void SleepMilliseconds(int milliseconds);

// F0/F2 (vertical/horizontal) for "LNB A", F4/F6 "LNB B", F8/FA "LNB C",
// FC/FE "LNB D"; F0 whatever the polarity for "Disable" or an unknown port.
// The band bit is never set: the 22 kHz tone selects the band.
std::uint8_t DiseqcSwitchData(std::int32_t diseqcPort, std::int32_t polarity);

// SetDiseCom1(tone, 0, 0, power) from the satellite's settings, traced.
// Returns 1 when sent, 0 without a satellite or transponder.
int SendTonePower(ReceiverDriver& driver, const SatelliteRecord* satellite, const TransponderRecord* transponder,
                  const TextSink& trace);

// SetDiseCom2(E0, 10, 38, data), traced, then the settle pause whatever the
// driver answered. Returns 1 when sent, 0 without a satellite or transponder.
int SendDiseqcSwitch(ReceiverDriver& driver, const SatelliteRecord* satellite, const TransponderRecord* transponder,
                     const TextSink& trace, const PauseFunction& pause = SleepMilliseconds);
