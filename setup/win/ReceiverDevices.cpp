#include "setup/win/ReceiverDevices.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

const GUID kReceiverInterfaceClasses[2] = {
    {0xE18D1721, 0x70B5, 0x4DE7, {0x83, 0xB3, 0x35, 0x43, 0x6E, 0x39, 0x54, 0xED}},
    {0x7377DB61, 0xE3CD, 0x11D2, {0x8A, 0x3F, 0x00, 0x00, 0xF8, 0x78, 0x44, 0x22}},
};

namespace {

// The size the system checks in cbSize: the packed structure (5 bytes for
// 32-bit callers, 8 for 64-bit ones).
constexpr DWORD kDetailHeaderSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
// Device paths are short; a larger size is not believed.
constexpr DWORD kMaxDetailSize = 32 * 1024;

// The list of present devices of one interface class, freed on every way out.
class CPresentInterfaces {
public:
    CPresentInterfaces(CDeviceServices& services, const GUID& interfaceClass)
        : services_(services), list_(services.ListPresentInterfaces(interfaceClass))
    {
    }
    ~CPresentInterfaces()
    {
        if (IsValid())
            services_.FreeList(list_);
    }
    CPresentInterfaces(const CPresentInterfaces&) = delete;
    CPresentInterfaces& operator=(const CPresentInterfaces&) = delete;

    bool IsValid() const { return list_ != INVALID_HANDLE_VALUE && list_ != nullptr; }
    HDEVINFO Get() const { return list_; }

private:
    CDeviceServices& services_;
    HDEVINFO list_;
};

bool IsOpen(HANDLE device) { return device != INVALID_HANDLE_VALUE && device != nullptr; }

// The first interface of the list; false when the list has none.
bool FirstInterface(CDeviceServices& services, const CPresentInterfaces& list, const GUID& interfaceClass,
                    SP_DEVICE_INTERFACE_DATA& data)
{
    data = {};
    data.cbSize = sizeof data;
    return services.GetInterface(list.Get(), interfaceClass, 0, data);
}

// The interface's device path, asked for its size first; empty on failure.
std::string InterfacePath(CDeviceServices& services, HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data)
{
    DWORD required = 0;
    services.GetInterfaceDetail(list, data, nullptr, 0, &required, nullptr);
    if (required < kDetailHeaderSize || required > kMaxDetailSize)
        return {};
    // Whole DWORDs for the alignment of cbSize, and one spare for a terminator.
    std::vector<DWORD> buffer(required / sizeof(DWORD) + 2, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = kDetailHeaderSize;
    if (!services.GetInterfaceDetail(list, data, detail, required, nullptr, nullptr))
        return {};
    const char* path = detail->DevicePath;
    const std::size_t room = reinterpret_cast<const char*>(buffer.data() + buffer.size()) - path;
    return std::string(path, strnlen(path, room));
}

}   // namespace

HANDLE OpenFirstInterfaceDevice(CDeviceServices& services, const GUID& interfaceClass)
{
    const CPresentInterfaces list(services, interfaceClass);
    SP_DEVICE_INTERFACE_DATA data;
    if (!list.IsValid() || !FirstInterface(services, list, interfaceClass, data))
        return INVALID_HANDLE_VALUE;
    const std::string path = InterfacePath(services, list.Get(), data);
    if (path.empty())
        return INVALID_HANDLE_VALUE;
    return services.OpenDevice(path.c_str());
}

int CheckReceiverDrivers(CDeviceServices& services)
{
    const HANDLE first = OpenFirstInterfaceDevice(services, kReceiverInterfaceClasses[0]);
    const HANDLE second = OpenFirstInterfaceDevice(services, kReceiverInterfaceClasses[1]);
    const bool bothOpen = IsOpen(first) && IsOpen(second);
    if (IsOpen(first))
        services.CloseDevice(first);
    if (IsOpen(second))
        services.CloseDevice(second);
    return bothOpen ? 1 : 0;
}

bool RemoveFirstInterfaceDevice(CDeviceServices& services, const GUID& interfaceClass)
{
    const CPresentInterfaces list(services, interfaceClass);
    if (!list.IsValid())
        return false;
    SP_DEVICE_INTERFACE_DATA data;
    if (!FirstInterface(services, list, interfaceClass, data))
        return true;

    // The zero-size request fails by design; it is made for the device record.
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    DWORD required = 0;
    services.GetInterfaceDetail(list.Get(), data, nullptr, 0, &required, &device);
    const DWORD error = services.RemoveDevice(list.Get(), device);
    if (error == ERROR_INVALID_PARAMETER)
        services.ShowAlert("uninstall driver failed", "wrong");
    return error == ERROR_SUCCESS;
}

int RemoveReceiverDevices(CDeviceServices& services)
{
    const bool removed = RemoveFirstInterfaceDevice(services, kReceiverInterfaceClasses[0]) &&
                         RemoveFirstInterfaceDevice(services, kReceiverInterfaceClasses[1]);
    return removed ? 1 : 0;
}
