// A receiver driver for tests. Every call is logged in order, from any
// thread, as its name alone or with the arguments that matter, like
// "SetDiseCom2(E0,10,38,F8)" or "LockChannel3(12380,27500,1,1,1,9750,10600)":
// integers in decimal, switch command bytes as two upper-case hex digits.
// Each call answers 0 (success) unless a result is set for its name; outputs
// come from the public readings. LockChannel3 can be held inside the driver
// until released, so that a hanging driver is tested without long sleeps.
// A call that starts while a LockChannel3 is in flight counts as an overlap:
// the card's library takes one call at a time.
#pragma once

#include "driver/ReceiverDriver.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

// The order of events across the driver and the hooks under test.
class CallLog {
public:
    void Add(const std::string& entry)
    {
        std::lock_guard<std::mutex> guard(mutex);
        entries.push_back(entry);
    }
    std::vector<std::string> Entries() const
    {
        std::lock_guard<std::mutex> guard(mutex);
        return entries;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> guard(mutex);
        entries.clear();
    }
    // Only the entries that start with the prefix, in order.
    std::vector<std::string> Matching(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const auto& entry : Entries())
            if (entry.rfind(prefix, 0) == 0)
                found.push_back(entry);
        return found;
    }
    int Count(const std::string& prefix) const { return static_cast<int>(Matching(prefix).size()); }

private:
    mutable std::mutex mutex;
    std::vector<std::string> entries;
};

class ScriptedDriver final : public ReceiverDriver {
public:
    using LockArgs = std::array<int, 7>;

    ScriptedDriver() : log(ownLog) {}
    // Logs into a log shared with the hooks under test, to check the order across both.
    explicit ScriptedDriver(CallLog& shared) : log(shared) {}

    std::vector<std::string> Calls(const std::string& prefix = "") const { return log.Matching(prefix); }
    void ClearCalls() { log.Clear(); }

    // Answers by call name, or to one call as logged, like "SetDataPID(22,2,1)",
    // which comes before the answer by name; safe to change while a worker is
    // inside the driver.
    void SetResult(const std::string& nameOrCall, int result)
    {
        std::lock_guard<std::mutex> guard(scriptMutex);
        results[nameOrCall] = result;
    }
    // LockChannel3's answer for given arguments; 0 (locked) unless scripted.
    void SetLockResult(std::function<int(const LockArgs&)> answer)
    {
        std::lock_guard<std::mutex> guard(scriptMutex);
        lockResult = std::move(answer);
    }
    void SetLockResult(int answer)
    {
        SetLockResult([answer](const LockArgs&) { return answer; });
    }
    // From now on LockChannel3 waits inside the driver until ReleaseLocks.
    void HoldLocks()
    {
        std::lock_guard<std::mutex> guard(scriptMutex);
        holding = true;
    }
    void ReleaseLocks()
    {
        std::lock_guard<std::mutex> guard(scriptMutex);
        holding = false;
        gate.notify_all();
    }
    // Calls that started while another was in flight.
    int Overlaps() const { return overlaps.load(); }
    // A LockChannel3 is inside the driver now.
    bool LockInFlight() const { return inFlight.load() > 0; }

    // Readings handed out through the pointer arguments, whatever the result.
    std::array<int, 5> signal{};   // strength, quality, reserved 1 and 2, lock value
    StatsCounters counters{};
    std::array<std::uint8_t, 6> cardMac{};
    NetMacSetting netMac{};

    // What the calls that take an address received.
    std::vector<NetMacSetting> netMacsSet;
    std::vector<std::array<std::uint8_t, 6>> filterMacsSet;

    int InitDise() override { return Answer("InitDise"); }
    int ReleaseDise() override { return Answer("ReleaseDise"); }
    int GetCIInfo() override { return Answer("GetCIInfo"); }
    int GetDeviceType() override { return Answer("GetDeviceType"); }
    int GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked) override
    {
        std::tie(*strength, *quality, *reserved1, *reserved2, *locked) = std::tuple_cat(signal);
        return Answer("GetSignalStrAndQu");
    }
    int LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7) override
    {
        log.Add("LockChannel3(" + Decimals({a1, a2, a3, a4, a5, a6, a7}) + ")");
        if (inFlight++ != 0)
            ++overlaps;
        std::unique_lock<std::mutex> lock(scriptMutex);
        gate.wait(lock, [this] { return !holding; });
        const auto answer = lockResult;
        lock.unlock();
        const int result = answer(LockArgs{a1, a2, a3, a4, a5, a6, a7});
        --inFlight;
        return result;
    }
    int StartFilter() override { return Answer("StartFilter"); }
    int StopFilter() override { return Answer("StopFilter"); }
    int SetDataPID(std::uint16_t pid, std::uint8_t type, int load) override
    {
        return Answer("SetDataPID", Decimals({pid, type, load}));
    }
    int GetDataPIDMAC(std::uint16_t pid, std::uint8_t*, std::uint8_t*) override
    {
        return Answer("GetDataPIDMAC", Decimals({pid}));
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
        filterMacsSet.emplace_back();
        std::copy_n(mac6, 6, filterMacsSet.back().begin());
        return Answer("SetFilterMAC");
    }
    int SetDiseCom1(int tone, int r1, int r2, int power) override
    {
        return Answer("SetDiseCom1", Decimals({tone, r1, r2, power}));
    }
    int SetDiseCom2(std::uint8_t framing, std::uint8_t address, std::uint8_t command, std::uint8_t data) override
    {
        char bytes[16];
        std::snprintf(bytes, sizeof bytes, "%02X,%02X,%02X,%02X", framing, address, command, data);
        return Answer("SetDiseCom2", bytes);
    }
    int GotoSat(double, double, double, double*, double*) override { return Answer("GotoSat"); }
    int GotoSatPosition(std::uint8_t position) override { return Answer("GotoSatPosition", Decimals({position})); }
    int StoreSatPosition(std::uint8_t position) override { return Answer("StoreSatPosition", Decimals({position})); }
    int DriveEast() override { return Answer("DriveEast"); }
    int DriveWest() override { return Answer("DriveWest"); }
    int StopMotor() override { return Answer("StopMotor"); }
    int GotoZero() override { return Answer("GotoZero"); }
    int SetEastLimit() override { return Answer("SetEastLimit"); }
    int SetWestLimit() override { return Answer("SetWestLimit"); }
    int CancelLimit() override { return Answer("CancelLimit"); }
    int EnableLimit() override { return Answer("EnableLimit"); }

private:
    static std::string Decimals(std::initializer_list<int> values)
    {
        std::string text;
        for (int value : values)
            text += (text.empty() ? "" : ",") + std::to_string(value);
        return text;
    }
    int Answer(const std::string& name, const std::string& arguments = std::string())
    {
        if (inFlight.load() != 0)
            ++overlaps;
        const std::string call = arguments.empty() ? name : name + "(" + arguments + ")";
        log.Add(call);
        std::lock_guard<std::mutex> guard(scriptMutex);
        for (const std::string& key : {call, name}) {
            if (auto found = results.find(key); found != results.end())
                return found->second;
        }
        return 0;
    }

    CallLog ownLog;
    CallLog& log;
    std::atomic<int> inFlight{0};
    std::atomic<int> overlaps{0};
    std::mutex scriptMutex;
    std::condition_variable gate;
    bool holding = false;
    std::map<std::string, int> results;
    std::function<int(const LockArgs&)> lockResult = [](const LockArgs&) { return 0; };
};
