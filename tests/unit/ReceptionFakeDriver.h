// A receiver driver for the reception tests: records every call with its
// arguments in order, answers each call by name from `results` (0 unless
// set), and fills outputs from scripted addresses, counters and PID/MAC
// buffers.
#pragma once

#include "driver/ReceiverDriver.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class ReceptionFakeDriver final : public ReceiverDriver {
public:
    std::vector<std::string> calls;
    std::map<std::string, int> results;

    int deviceType = 0;
    NetMacSetting netMac{};
    std::array<std::uint8_t, 6> cardMac{};
    StatsCounters counters{};
    // Bytes written into the PID/MAC buffer and the length reported, per PID.
    struct PidMacAnswer {
        std::vector<std::uint8_t> bytes;
        std::uint8_t length;
    };
    std::map<std::uint16_t, PidMacAnswer> pidMacs;
    // What the calls that take an address received.
    std::vector<NetMacSetting> netMacsSet;
    std::vector<std::array<std::uint8_t, 6>> filterMacsSet;

    int Count(const std::string& prefix) const
    {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                              [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    int InitDise() override { return Answer("InitDise"); }
    int ReleaseDise() override { return Answer("ReleaseDise"); }
    int GetCIInfo() override { return Answer("GetCIInfo"); }
    int GetDeviceType() override
    {
        calls.push_back("GetDeviceType");
        return deviceType;
    }
    int GetSignalStrAndQu(int*, int*, int*, int*, int*) override { return Answer("GetSignalStrAndQu"); }
    int LockChannel3(int, int, int, int, int, int, int) override { return Answer("LockChannel3"); }
    int StartFilter() override { return Answer("StartFilter"); }
    int StopFilter() override { return Answer("StopFilter"); }
    int SetDataPID(std::uint16_t pid, std::uint8_t type, int load) override
    {
        return Answer("SetDataPID", "(" + std::to_string(pid) + "," + std::to_string(type) + "," +
                                        std::to_string(load) + ")");
    }
    int GetDataPIDMAC(std::uint16_t pid, std::uint8_t* buffer, std::uint8_t* length) override
    {
        auto found = pidMacs.find(pid);
        if (found != pidMacs.end()) {
            const auto& bytes = found->second.bytes;
            std::copy_n(bytes.begin(), std::min(bytes.size(), kPidMacBufferSize), buffer);
            *length = found->second.length;
        }
        return Answer("GetDataPIDMAC", "(" + std::to_string(pid) + ")");
    }
    int GetStatsCounters(StatsCounters* out) override
    {
        *out = counters;
        return Answer("GetStatsCounters");
    }
    int GetMACAddr(std::uint8_t* mac6) override
    {
        std::copy(cardMac.begin(), cardMac.end(), mac6);
        return Answer("GetMACAddr");
    }
    int GetNetMACAddr(NetMacSetting* setting) override
    {
        *setting = netMac;
        return Answer("GetNetMACAddr");
    }
    int SetNetMACAddr(const NetMacSetting* setting) override
    {
        netMacsSet.push_back(*setting);
        return Answer("SetNetMACAddr");
    }
    int SetFilterMAC(std::uint8_t* mac6) override
    {
        std::array<std::uint8_t, 6> mac{};
        std::copy_n(mac6, mac.size(), mac.begin());
        filterMacsSet.push_back(mac);
        return Answer("SetFilterMAC");
    }
    int SetDiseCom1(int, int, int, int) override { return Answer("SetDiseCom1"); }
    int SetDiseCom2(std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t) override { return Answer("SetDiseCom2"); }
    int GotoSat(double, double, double, double*, double*) override { return Answer("GotoSat"); }
    int GotoSatPosition(std::uint8_t) override { return Answer("GotoSatPosition"); }
    int StoreSatPosition(std::uint8_t) override { return Answer("StoreSatPosition"); }
    int DriveEast() override { return Answer("DriveEast"); }
    int DriveWest() override { return Answer("DriveWest"); }
    int StopMotor() override { return Answer("StopMotor"); }
    int GotoZero() override { return Answer("GotoZero"); }
    int SetEastLimit() override { return Answer("SetEastLimit"); }
    int SetWestLimit() override { return Answer("SetWestLimit"); }
    int CancelLimit() override { return Answer("CancelLimit"); }
    int EnableLimit() override { return Answer("EnableLimit"); }

private:
    int Answer(const std::string& name, const std::string& arguments = std::string())
    {
        calls.push_back(name + arguments);
        auto found = results.find(name);
        return found == results.end() ? 0 : found->second;
    }
};
