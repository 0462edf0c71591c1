// A simulated card on a hand-moved clock, and a satellite line-up used by
// several simulator tests.
#pragma once

#include "simulator/CardConfig.h"
#include "simulator/CardModel.h"
#include "simulator/Clock.h"

#include <cstdint>
#include <string_view>

namespace quarlink {

struct SimulatedCard {
    explicit SimulatedCard(std::string_view ini) : card(ReadCardConfig(ini), clock) { card.InitDise(); }

    // What the program sends for a lock: power and tone, the committed switch
    // command for port 1..4, the tuning call; then the card's lock time passes.
    int LockSatellite(int frequency, int symbolRate, int polarity, int port = 1, int lnbType = 1,
                      int lo1 = 9750, int lo2 = 10600, int power = 1)
    {
        card.SetDiseCom1(0, 0, 0, power);
        SelectPort(port, polarity);
        const int result = card.LockChannel3(frequency, symbolRate, polarity, lnbType, power, lo1, lo2);
        clock.Advance(card.Config().lockTimeMs);
        return result;
    }

    void SelectPort(int port, int polarity)
    {
        const auto data = static_cast<std::uint8_t>(0xF0 | (((port - 1) & 3) << 2) | (polarity != 0 ? 2 : 0));
        card.SetDiseCom2(0xE0, 0x10, 0x38, data);
    }

    bool Locked()
    {
        int strength = 0, quality = 0, reserved1 = 0, reserved2 = 0, locked = 0;
        card.GetSignalStrAndQu(&strength, &quality, &reserved1, &reserved2, &locked);
        return locked == 1;
    }

    ManualClock clock;
    CardModel card;
};

inline constexpr std::string_view kSatelliteLineUp = R"(
[Card]
Kind=0
LockTimeMs=300
[Site]
Longitude=5.0
Latitude=52.0
[Switch]
LNB A=19.2E
LNB B=13.0E
LNB C=Motor
LNB D=30.0W
[Motor]
DegreesPerSecond=2.0
[Transponder]
Satellite=19.2E
Frequency=11494
Polarity=H
SymbolRate=22000
Pid=256 2000 02-00-5E-00-01-01 02-00-5E-00-01-02
Pid=257 512
[Transponder]
Satellite=19.2E
Frequency=12603
Polarity=H
SymbolRate=22000
[Transponder]
Satellite=13.0E
Frequency=11034
Polarity=V
SymbolRate=27500
[Transponder]
Satellite=30.0W
Frequency=3840
Polarity=R
SymbolRate=27500
)";

} // namespace quarlink
