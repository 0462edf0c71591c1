// The simulated receiver card behind the driver library's 28 calls. It never
// sleeps: a lock becomes usable LockTimeMs after LockChannel3, and whoever
// exports the library waits that long before returning, as a real driver
// would. Results: 0 success, kCardFailed for a bad argument or no lock
// (GotoSat: unreachable), kCardRefused when the card's state forbids the
// request, kCardNotOpen before InitDise or after ReleaseDise.
#pragma once

#include "driver/ReceiverDriver.h"
#include "simulator/CardConfig.h"
#include "simulator/CarrierSearch.h"
#include "simulator/Clock.h"
#include "simulator/DataFilter.h"
#include "simulator/Positioner.h"
#include "simulator/SeededRandom.h"

#include <string>

namespace quarlink {

constexpr int kCardOk = 0;
constexpr int kCardFailed = 1;
constexpr int kCardRefused = 2;
constexpr int kCardNotOpen = 3;
// The length byte of GetDataPIDMAC cannot count past 255: at most 42 addresses.
constexpr std::size_t kMaxReportedMacs = 255 / 6;

class CardModel : public ReceiverDriver {
public:
    CardModel(CardConfig config, const Clock& clock);

    int InitDise() override;
    int ReleaseDise() override;
    int GetCIInfo() override { return config.ciInfo; }
    int GetDeviceType() override { return config.deviceType; }
    int GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked) override;
    int LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7) override;
    int StartFilter() override;
    int StopFilter() override;
    int SetDataPID(std::uint16_t pid, std::uint8_t type, int load) override;
    int GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length) override;
    int GetStatsCounters(StatsCounters* counters) override;
    int GetMACAddr(std::uint8_t* mac6) override;
    int GetNetMACAddr(NetMacSetting* setting) override;
    int SetNetMACAddr(const NetMacSetting* setting) override;
    int SetFilterMAC(std::uint8_t* mac6) override;
    int SetDiseCom1(int tone22k, int reserved1, int reserved2, int lnbPower) override;
    int SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data) override;
    int GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation) override;
    int GotoSatPosition(std::uint8_t position) override;
    int StoreSatPosition(std::uint8_t position) override;
    int DriveEast() override;
    int DriveWest() override;
    int StopMotor() override;
    int GotoZero() override;
    int SetEastLimit() override;
    int SetWestLimit() override;
    int CancelLimit() override;
    int EnableLimit() override;

    const CardConfig& Config() const { return config; }
    // What the last LockChannel3 found, or why it found nothing.
    const std::string& LastLockDetail() const { return lastLockDetail; }
    // True when the last GotoSat filled in the angle and the elevation.
    bool LastGotoSatFilled() const { return lastGotoSatFilled; }
    double MotorAngle() const { return motor.Angle(clock.NowMs()); }
    // The orbital position in front of the dish now, or kNoSatellite.
    int SatelliteInView() const { return SatelliteInView(clock.NowMs()); }
    const std::uint8_t* FilterMac() const { return filterMac.data(); }
    bool Tone() const { return tone; }

private:
    void PowerUp();
    bool HasLock(std::uint64_t nowMs) const;
    bool LosesLockOnThisPoll();
    bool StopsDataOnThisPoll();
    int SatelliteInView(std::uint64_t nowMs) const;
    int SatelliteAtMotorAngle(double angle) const;
    TuneOutcome Tune(const LockArguments& args, std::uint64_t nowMs) const;
    std::uint32_t ReceivingKbps(std::uint64_t nowMs) const;
    bool IsReceiving(std::uint16_t pid, std::uint64_t nowMs) const;
    // Books the data received since the last state change; run before every change.
    void AdvanceCounters(std::uint64_t nowMs);
    int MotorCommand(void (Positioner::*command)(std::uint64_t));

    CardConfig config;
    const Clock& clock;
    SeededRandom random;
    Positioner motor;
    DataFilter filter;
    bool open = false;
    bool lnbPowered = false;
    bool tone = false;
    std::uint8_t committedSwitchBits = 0;   // DiSEqC port group 0: band, polarity, position, option
    int tunedCarrier = -1;
    std::uint64_t lockReadyMs = 0;
    bool lockLost = false;
    std::uint32_t pollsWhileLocked = 0;
    std::uint32_t lockLossesLeft = 0;
    std::uint32_t pollsWithData = 0;
    std::uint32_t dataStopsLeft = 0;
    bool dataStopped = false;
    bool filterRunning = false;
    std::uint64_t countedUntilMs = 0;
    NetMacSetting netMac{};
    MacAddress filterMac{};
    std::string lastLockDetail;
    bool lastGotoSatFilled = false;
};

}   // namespace quarlink
