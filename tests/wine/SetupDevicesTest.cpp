// The driver check and the device removal with a receiver present, through a
// scripted replacement of the system's device services.
#include "setup/OsFamily.h"
#include "setup/win/ReceiverDevices.h"
#include "setup/win/ReceiverUninstall.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// What one interface class of the scripted system holds and does.
struct ClassScript {
    bool listAvailable = true;
    bool hasDevice = false;
    bool detailAvailable = true;
    bool opens = true;
    DWORD removalError = ERROR_SUCCESS;
};

class ScriptedDevices : public CDeviceServices {
public:
    ClassScript classes[2];
    std::vector<std::string> calls;

    HDEVINFO ListPresentInterfaces(const GUID& interfaceClass) override {
        const int index = IndexOf(interfaceClass);
        calls.push_back("list " + std::to_string(index));
        return classes[index].listAvailable ? ListHandle(index) : INVALID_HANDLE_VALUE;
    }
    void FreeList(HDEVINFO list) override { calls.push_back("free " + std::to_string(IndexOf(list))); }
    bool GetInterface(HDEVINFO list, const GUID& interfaceClass, DWORD index, SP_DEVICE_INTERFACE_DATA& data) override {
        const int classIndex = IndexOf(list);
        EXPECT_EQ(classIndex, IndexOf(interfaceClass));
        EXPECT_EQ(0u, index) << "only the first interface is taken";
        EXPECT_EQ(sizeof data, data.cbSize);
        if (!classes[classIndex].hasDevice) return false;
        data.Reserved = classIndex;
        return true;
    }
    // Behaves as the system does: a size request fails with ERROR_INSUFFICIENT_BUFFER
    // but fills in the device record; the data request checks cbSize.
    bool GetInterfaceDetail(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data, SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                            DWORD detailSize, DWORD* requiredSize, SP_DEVINFO_DATA* device) override {
        const int index = IndexOf(list);
        EXPECT_EQ(static_cast<ULONG_PTR>(index), data.Reserved);
        const std::string path = PathOf(index);
        const DWORD required = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
        if (requiredSize != nullptr) *requiredSize = required;
        if (device != nullptr) {
            EXPECT_EQ(sizeof *device, device->cbSize);
            device->DevInst = 100 + index;
        }
        if (!classes[index].detailAvailable || detail == nullptr || detailSize < required) return false;
        EXPECT_EQ(sizeof(void*) == 4 ? 5u : 8u, detail->cbSize) << "the size the system insists on";
        std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
        return true;
    }
    DWORD RemoveDevice(HDEVINFO list, SP_DEVINFO_DATA& device) override {
        const int index = IndexOf(list);
        calls.push_back("remove " + std::to_string(device.DevInst));
        return classes[index].removalError;
    }
    HANDLE OpenDevice(const char* path) override {
        calls.push_back(std::string("open ") + path);
        for (int index = 0; index < 2; ++index)
            if (path == PathOf(index) && classes[index].opens) return reinterpret_cast<HANDLE>(0x700 + index);
        return INVALID_HANDLE_VALUE;
    }
    void CloseDevice(HANDLE device) override {
        calls.push_back("close " + std::to_string(reinterpret_cast<ULONG_PTR>(device) - 0x700));
    }
    void ShowAlert(const char* text, const char* caption) override {
        calls.push_back(std::string("alert ") + text + " / " + caption);
    }

    static std::string PathOf(int index) { return "\\\\?\\receiver#" + std::to_string(index); }

private:
    static HDEVINFO ListHandle(int index) { return reinterpret_cast<HDEVINFO>(0x500 + index); }
    static int IndexOf(HDEVINFO list) { return static_cast<int>(reinterpret_cast<ULONG_PTR>(list) - 0x500); }
    static int IndexOf(const GUID& interfaceClass) {
        if (IsEqualGUID(interfaceClass, kReceiverInterfaceClasses[0])) return 0;
        EXPECT_TRUE(IsEqualGUID(interfaceClass, kReceiverInterfaceClasses[1])) << "unknown interface class";
        return 1;
    }
};

using Calls = std::vector<std::string>;

ScriptedDevices BothPresent() {
    ScriptedDevices devices;
    devices.classes[0].hasDevice = devices.classes[1].hasDevice = true;
    return devices;
}

TEST(SetupDevices, TheInterfaceClassesAreTheReceivers) {
    const GUID first = {0xE18D1721, 0x70B5, 0x4DE7, {0x83, 0xB3, 0x35, 0x43, 0x6E, 0x39, 0x54, 0xED}};
    const GUID second = {0x7377DB61, 0xE3CD, 0x11D2, {0x8A, 0x3F, 0x00, 0x00, 0xF8, 0x78, 0x44, 0x22}};
    EXPECT_TRUE(IsEqualGUID(first, kReceiverInterfaceClasses[0]));
    EXPECT_TRUE(IsEqualGUID(second, kReceiverInterfaceClasses[1]));
}

// A change to the system with both devices present, and what the driver
// check ("check") or the removal ("remove") then gives and calls.
TEST(SetupDevices, CheckAndRemovalByWhatTheSystemDoes) {
    struct Case { const char* what; int (*run)(CDeviceServices&); void (*change)(ScriptedDevices&); int result; Calls calls; };
    const auto check = [](CDeviceServices& devices) { return CheckReceiverDrivers(devices); };
    const auto remove = [](CDeviceServices& devices) { return RemoveReceiverDevices(devices); };
    const Case cases[] = {
        {"check both", check, [](ScriptedDevices&) {}, 1,
         {"list 0", "open \\\\?\\receiver#0", "free 0", "list 1", "open \\\\?\\receiver#1", "free 1", "close 0", "close 1"}},
        {"check without the second", check, [](ScriptedDevices& d) { d.classes[1].hasDevice = false; }, 0,
         {"list 0", "open \\\\?\\receiver#0", "free 0", "list 1", "free 1", "close 0"}},
        {"check, second will not open", check, [](ScriptedDevices& d) { d.classes[1].opens = false; }, 0,
         {"list 0", "open \\\\?\\receiver#0", "free 0", "list 1", "open \\\\?\\receiver#1", "free 1", "close 0"}},
        {"check without detail", check, [](ScriptedDevices& d) { d.classes[0].detailAvailable = false; }, 0,
         {"list 0", "free 0", "list 1", "open \\\\?\\receiver#1", "free 1", "close 1"}},
        {"remove both", remove, [](ScriptedDevices&) {}, 1,
         {"list 0", "remove 100", "free 0", "list 1", "remove 101", "free 1"}},
        {"remove none", remove, [](ScriptedDevices& d) { d.classes[0].hasDevice = d.classes[1].hasDevice = false; }, 1,
         {"list 0", "free 0", "list 1", "free 1"}},
        {"remove, first invalid", remove, [](ScriptedDevices& d) { d.classes[0].removalError = ERROR_INVALID_PARAMETER; }, 0,
         {"list 0", "remove 100", "alert uninstall driver failed / wrong", "free 0"}},
        {"remove, second invalid", remove, [](ScriptedDevices& d) { d.classes[1].removalError = ERROR_INVALID_PARAMETER; }, 0,
         {"list 0", "remove 100", "free 0", "list 1", "remove 101", "alert uninstall driver failed / wrong", "free 1"}},
        {"remove, access denied", remove, [](ScriptedDevices& d) { d.classes[0].removalError = ERROR_ACCESS_DENIED; }, 0,
         {"list 0", "remove 100", "free 0"}},
        {"remove without a list", remove, [](ScriptedDevices& d) { d.classes[0].listAvailable = false; }, 0, {"list 0"}},
    };
    for (const Case& c : cases) {
        ScriptedDevices devices = BothPresent();
        c.change(devices);
        EXPECT_EQ(c.result, c.run(devices)) << c.what;
        EXPECT_EQ(c.calls, devices.calls) << c.what;
    }
}

// Counts the INF search's look-ups; holds no files.
class EmptyInfFolder : public CInfFolder {
public:
    int lookups = 0;
    bool Exists(const char*) override { return ++lookups, false; }
    std::optional<std::string> ReadProvider(const char*) override { return std::nullopt; }
    void ForceDelete(const char*) override {}
};

TEST(SetupDevices, TheInfSearchRunsWhateverTheRemovalGave) {
    ScriptedDevices failing = BothPresent();
    failing.classes[0].removalError = ERROR_INVALID_PARAMETER;
    EmptyInfFolder folder;
    EXPECT_EQ(0, UninstallReceiver(failing, folder, "C:\\WINDOWS\\inf", kOsWin2000Family));
    EXPECT_EQ(51, folder.lookups);

    ScriptedDevices both = BothPresent();
    EmptyInfFolder untouched;
    EXPECT_EQ(1, UninstallReceiver(both, untouched, nullptr, kOsWin2000Family));
    EXPECT_EQ(0, untouched.lookups);
}

}  // namespace
