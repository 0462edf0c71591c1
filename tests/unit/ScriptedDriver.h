// A receiver driver for tests: records every call in order (from any thread),
// answers from a script, and can hold LockChannel3 calls until released so
// that a hanging driver can be tested without long sleeps.
#pragma once

#include "driver/ReceiverDriver.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// The order of events across the driver and the hooks under test.
class CallLog {
public:
    void Add(const std::string& entry)
    {
        std::lock_guard<std::mutex> guard(mutex);
        entries.push_back(entry);
        changed.notify_all();
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
    int Count(const std::string& prefix) const
    {
        std::lock_guard<std::mutex> guard(mutex);
        int count = 0;
        for (const auto& entry : entries)
            count += entry.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }
    // Only the entries that start with the prefix, in order.
    std::vector<std::string> Matching(const std::string& prefix) const
    {
        std::lock_guard<std::mutex> guard(mutex);
        std::vector<std::string> found;
        for (const auto& entry : entries)
            if (entry.rfind(prefix, 0) == 0)
                found.push_back(entry);
        return found;
    }
    bool WaitForCount(const std::string& prefix, int count, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, limit, [&] {
            int seen = 0;
            for (const auto& entry : entries)
                seen += entry.rfind(prefix, 0) == 0 ? 1 : 0;
            return seen >= count;
        });
    }

private:
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> entries;
};

class ScriptedDriver final : public ReceiverDriver {
public:
    using LockArgs = std::array<int, 7>;

    explicit ScriptedDriver(CallLog& log) : log(log) {}

    // LockChannel3's answer for given arguments; 0 (locked) unless scripted.
    // Safe to change while a worker is inside the driver.
    void SetLockResult(std::function<int(const LockArgs&)> answer)
    {
        std::lock_guard<std::mutex> guard(gateMutex);
        lockResult = std::move(answer);
    }
    void SetLockResult(int answer)
    {
        SetLockResult([answer](const LockArgs&) { return answer; });
    }
    // Answers of the calls without outputs, by name; 0 unless scripted.
    std::map<std::string, int> results;
    int deviceType = 0;
    std::array<int, 5> signal{};    // strength, quality, reserved 1 and 2, lock value
    bool gotoSatWrites = true;
    double gotoSatAngle = 0;
    double gotoSatElevation = 0;

    // From now on LockChannel3 waits inside the driver until ReleaseLocks.
    void HoldLocks()
    {
        std::lock_guard<std::mutex> guard(gateMutex);
        holding = true;
    }
    void ReleaseLocks()
    {
        std::lock_guard<std::mutex> guard(gateMutex);
        holding = false;
        gate.notify_all();
    }

    int InitDise() override { return Answer("InitDise"); }
    int ReleaseDise() override { return Answer("ReleaseDise"); }
    int GetCIInfo() override { return Answer("GetCIInfo"); }
    int GetDeviceType() override
    {
        log.Add("GetDeviceType");
        return deviceType;
    }
    int GetSignalStrAndQu(int* strength, int* quality, int* reserved1, int* reserved2, int* locked) override
    {
        *strength = signal[0];
        *quality = signal[1];
        *reserved1 = signal[2];
        *reserved2 = signal[3];
        *locked = signal[4];
        return Answer("GetSignalStrAndQu");
    }
    int LockChannel3(int a1, int a2, int a3, int a4, int a5, int a6, int a7) override
    {
        const LockArgs args{a1, a2, a3, a4, a5, a6, a7};
        char entry[160];
        std::snprintf(entry, sizeof entry, "LockChannel3(%d,%d,%d,%d,%d,%d,%d)", a1, a2, a3, a4, a5, a6, a7);
        log.Add(entry);
        std::unique_lock<std::mutex> lock(gateMutex);
        gate.wait(lock, [this] { return !holding; });
        const auto answer = lockResult;
        lock.unlock();
        return answer(args);
    }
    int StartFilter() override { return Answer("StartFilter"); }
    int StopFilter() override { return Answer("StopFilter"); }
    int SetDataPID(std::uint16_t pid, std::uint8_t type, int load) override
    {
        return Answer("SetDataPID(" + std::to_string(pid) + "," + std::to_string(type) + "," +
                      std::to_string(load) + ")");
    }
    int GetDataPIDMAC(std::uint16_t, std::uint8_t*, std::uint8_t* length) override
    {
        *length = 0;
        return Answer("GetDataPIDMAC");
    }
    int GetStatsCounters(StatsCounters*) override { return Answer("GetStatsCounters"); }
    int GetMACAddr(std::uint8_t*) override { return Answer("GetMACAddr"); }
    int GetNetMACAddr(NetMacSetting*) override { return Answer("GetNetMACAddr"); }
    int SetNetMACAddr(const NetMacSetting*) override { return Answer("SetNetMACAddr"); }
    int SetFilterMAC(std::uint8_t*) override { return Answer("SetFilterMAC"); }
    int SetDiseCom1(int tone, int r1, int r2, int power) override
    {
        return Answer("SetDiseCom1(" + std::to_string(tone) + "," + std::to_string(r1) + "," +
                      std::to_string(r2) + "," + std::to_string(power) + ")");
    }
    int SetDiseCom2(std::uint8_t f, std::uint8_t a, std::uint8_t c, std::uint8_t d) override
    {
        char entry[48];
        std::snprintf(entry, sizeof entry, "SetDiseCom2(%02X,%02X,%02X,%02X)", f, a, c, d);
        return Answer(entry);
    }
    int GotoSat(double degree, double longitude, double latitude, double* angle, double* elevation) override
    {
        char entry[96];
        std::snprintf(entry, sizeof entry, "GotoSat(%g,%g,%g)", degree, longitude, latitude);
        if (gotoSatWrites) {
            *angle = gotoSatAngle;
            *elevation = gotoSatElevation;
        }
        return Answer(entry, "GotoSat");
    }
    int GotoSatPosition(std::uint8_t position) override
    {
        return Answer("GotoSatPosition(" + std::to_string(position) + ")");
    }
    int StoreSatPosition(std::uint8_t position) override
    {
        return Answer("StoreSatPosition(" + std::to_string(position) + ")");
    }
    int DriveEast() override { return Answer("DriveEast"); }
    int DriveWest() override { return Answer("DriveWest"); }
    int StopMotor() override { return Answer("StopMotor"); }
    int GotoZero() override { return Answer("GotoZero"); }
    int SetEastLimit() override { return Answer("SetEastLimit"); }
    int SetWestLimit() override { return Answer("SetWestLimit"); }
    int CancelLimit() override { return Answer("CancelLimit"); }
    int EnableLimit() override { return Answer("EnableLimit"); }

private:
    int Answer(const std::string& entry) { return Answer(entry, entry); }
    int Answer(const std::string& entry, const std::string& name)
    {
        log.Add(entry);
        auto found = results.find(name);
        return found == results.end() ? 0 : found->second;
    }

    CallLog& log;
    std::mutex gateMutex;
    std::condition_variable gate;
    bool holding = false;
    std::function<int(const LockArgs&)> lockResult = [](const LockArgs&) { return 0; };
};
