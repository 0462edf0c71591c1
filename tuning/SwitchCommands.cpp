#include "tuning/SwitchCommands.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

void Trace(const TextSink& trace, const std::string& line)
{
    if (trace)
        trace(line);
}

const char* EnableText(bool on) { return on ? "Enable" : "Disable"; }

}   // namespace

std::uint8_t DiseqcSwitchData(std::int32_t diseqcPort, std::int32_t polarity)
{
    if (diseqcPort < 1 || diseqcPort > 4)
        return 0xF0;
    const unsigned horizontal = polarity != 0 ? 0x02 : 0x00;
    const unsigned input = static_cast<unsigned>(diseqcPort - 1) << 2;   // position and option bits
    return static_cast<std::uint8_t>(0xF0 | input | horizontal);
}

int SendTonePower(ReceiverDriver& driver, const SatelliteRecord* satellite, const TransponderRecord* transponder,
                  const TextSink& trace)
{
    if (!satellite || !transponder)
        return 0;
    const bool tone = satellite->tone22k > 0;
    const bool power = satellite->lnbPower > 0;
    Trace(trace, std::string(".....Send 22Hz_LNBPower.....22kHz:") + EnableText(tone) +
                     ",LNBPower:" + EnableText(power) + "\n");
    const int result = driver.SetDiseCom1(tone ? 1 : 0, 0, 0, power ? 1 : 0);
    Trace(trace, result == 0 ? "Send 22Hz_LNBPower Return Ok.\n" : "Send 22Hz_LNBPower Return Fail.\n");
    return 1;
}

int SendDiseqcSwitch(ReceiverDriver& driver, const SatelliteRecord* satellite, const TransponderRecord* transponder,
                     const TextSink& trace, const PauseFunction& pause)
{
    // Without a transponder there is no polarity to switch to.
    if (!satellite || !transponder)
        return 0;
    char line[64];
    std::snprintf(line, sizeof line, ".....Send DiSEqC %d.....\n", static_cast<int>(satellite->diseqcPort));
    Trace(trace, line);
    const std::uint8_t data = DiseqcSwitchData(satellite->diseqcPort, transponder->polarity);
    const int result = driver.SetDiseCom2(kDiseqcFraming, kDiseqcAddress, kDiseqcCommittedSwitch, data);
    Trace(trace, result == 0 ? "Send DiSEqC Return Ok\n" : "Send DiSEqC Return Fail\n");
    if (pause)
        pause(kDiseqcSettleMilliseconds);
    return 1;
}

void SleepMilliseconds(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
