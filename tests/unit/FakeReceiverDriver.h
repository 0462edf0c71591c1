// A recording receiver driver for single-threaded rule tests. Every call is
// kept as a line like "SetDiseCom2(E0,10,38,F8)" or "SetDiseCom1(1,0,0,0)":
// integers in decimal, byte arguments as two upper-case hex digits, pointer
// arguments left out. Results are 0 (success) unless set per call name, once
// for all calls or as a queue consumed one call at a time.
#pragma once

#include "driver/ReceiverDriver.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

class FakeReceiverDriver : public ReceiverDriver {
public:
    std::vector<std::string> calls;

    // Values handed out through the pointer arguments.
    int strength = 0, quality = 0, lockedFlag = 0;
    std::uint8_t mac[6] = {};
    NetMacSetting netMac = {};
    StatsCounters counters = {};
    double gotoAngle = 0.0, gotoElevation = 0.0;

    void SetResult(const std::string& call, int result) { results[call] = result; }
    void QueueResults(const std::string& call, std::initializer_list<int> values)
    {
        queued[call].insert(queued[call].end(), values);
    }

    int InitDise() override { return Record("InitDise", {}); }
    int ReleaseDise() override { return Record("ReleaseDise", {}); }
    int GetCIInfo() override { return Record("GetCIInfo", {}); }
    int GetDeviceType() override { return Record("GetDeviceType", {}); }
    int GetSignalStrAndQu(int* s, int* q, int* r1, int* r2, int* locked) override
    {
        Put(s, strength);
        Put(q, quality);
        Put(r1, 0);
        Put(r2, 0);
        Put(locked, lockedFlag);
        return Record("GetSignalStrAndQu", {});
    }
    int LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7) override
    {
        return Record("LockChannel3", {Dec(a1), Dec(a2), Dec(a3), Dec(a4), Dec(a5), Dec(a6), Dec(a7)});
    }
    int StartFilter() override { return Record("StartFilter", {}); }
    int StopFilter() override { return Record("StopFilter", {}); }
    int SetDataPID(std::uint16_t pid, std::uint8_t type, int load) override
    {
        return Record("SetDataPID", {Dec(pid), Dec(type), Dec(load)});
    }
    int GetDataPIDMAC(std::uint16_t pid, std::uint8_t*, std::uint8_t* length) override
    {
        Put(length, std::uint8_t{0});
        return Record("GetDataPIDMAC", {Dec(pid)});
    }
    int GetStatsCounters(StatsCounters* out) override
    {
        Put(out, counters);
        return Record("GetStatsCounters", {});
    }
    int GetMACAddr(std::uint8_t* mac6) override
    {
        if (mac6)
            std::copy(mac, mac + 6, mac6);
        return Record("GetMACAddr", {});
    }
    int GetNetMACAddr(NetMacSetting* setting) override
    {
        Put(setting, netMac);
        return Record("GetNetMACAddr", {});
    }
    int SetNetMACAddr(const NetMacSetting* setting) override
    {
        if (setting)
            netMac = *setting;
        return Record("SetNetMACAddr", {});
    }
    int SetFilterMAC(std::uint8_t*) override { return Record("SetFilterMAC", {}); }
    int SetDiseCom1(int tone, int r1, int r2, int power) override
    {
        return Record("SetDiseCom1", {Dec(tone), Dec(r1), Dec(r2), Dec(power)});
    }
    int SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data) override
    {
        return Record("SetDiseCom2", {Hex(framing), Hex(address), Hex(command), Hex(data)});
    }
    int GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation) override
    {
        Put(angle, gotoAngle);
        Put(elevation, gotoElevation);
        return Record("GotoSat", {Real(degree), Real(longitude), Real(latitude)});
    }
    int GotoSatPosition(std::uint8_t position) override { return Record("GotoSatPosition", {Dec(position)}); }
    int StoreSatPosition(std::uint8_t position) override { return Record("StoreSatPosition", {Dec(position)}); }
    int DriveEast() override { return Record("DriveEast", {}); }
    int DriveWest() override { return Record("DriveWest", {}); }
    int StopMotor() override { return Record("StopMotor", {}); }
    int GotoZero() override { return Record("GotoZero", {}); }
    int SetEastLimit() override { return Record("SetEastLimit", {}); }
    int SetWestLimit() override { return Record("SetWestLimit", {}); }
    int CancelLimit() override { return Record("CancelLimit", {}); }
    int EnableLimit() override { return Record("EnableLimit", {}); }

private:
    std::map<std::string, int> results;
    std::map<std::string, std::deque<int>> queued;

    template <typename T>
    static void Put(T* out, const T& value)
    {
        if (out)
            *out = value;
    }
    static std::string Dec(long long value) { return std::to_string(value); }
    static std::string Hex(std::uint8_t value)
    {
        char text[3];
        std::snprintf(text, sizeof text, "%02X", value);
        return text;
    }
    static std::string Real(double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }

    int Record(const std::string& name, std::initializer_list<std::string> args)
    {
        std::string line = name + "(";
        const char* separator = "";
        for (const auto& arg : args) {
            line += separator + arg;
            separator = ",";
        }
        calls.push_back(line + ")");
        auto queue = queued.find(name);
        if (queue != queued.end() && !queue->second.empty()) {
            const int result = queue->second.front();
            queue->second.pop_front();
            return result;
        }
        auto fixed = results.find(name);
        return fixed == results.end() ? 0 : fixed->second;
    }
};
