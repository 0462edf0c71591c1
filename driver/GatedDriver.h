// The card's driver as the program sees it: each call passes its gate first,
// and the gate's observer hears what was asked, what came back and how long
// the card took.
#pragma once

#include "driver/CallPassage.h"
#include "driver/ReceiverDriver.h"

#include <string>
#include <string_view>

class GatedDriver final : public ReceiverDriver {
public:
    GatedDriver(ReceiverDriver& card, CallPassage& passage) : card(card), passage(passage) {}

    int InitDise() override;
    int ReleaseDise() override;
    int GetCIInfo() override;
    int GetDeviceType() override;
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

private:
    enum class Kind { Command, Periodic };

    // Passes the gate, makes the call and reports it; outputs describes what
    // the call handed back once it has returned 0.
    template <class Call, class Outputs>
    int Through(std::string_view name, Kind kind, const std::string& arguments, Call call, Outputs outputs);
    template <class Call>
    int Through(std::string_view name, Kind kind, const std::string& arguments, Call call);

    ReceiverDriver& card;
    CallPassage& passage;
};
