#include "reception/win/SetupApiAdapterRegistry.h"

#include <initguid.h>

#include <vector>

namespace {
// The network adapter device interface class.
DEFINE_GUID(kNetworkAdapterInterface, 0xAD498944, 0x762F, 0x11D0, 0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C);
constexpr DWORD kLongestDescription = 256;

std::string DeviceDescription(HDEVINFO devices, SP_DEVINFO_DATA& device)
{
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_DEVICEDESC, nullptr, nullptr, 0, &size);
    if (size == 0 || size > kLongestDescription)
        return std::string();
    std::vector<BYTE> buffer(size + 1, 0);
    if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_DEVICEDESC, nullptr, buffer.data(), size, nullptr))
        return std::string();
    return std::string(reinterpret_cast<const char*>(buffer.data()));
}
}   // namespace

SetupApiAdapterRegistry::SetupApiAdapterRegistry() = default;

SetupApiAdapterRegistry::~SetupApiAdapterRegistry()
{
    if (devices != INVALID_HANDLE_VALUE)
        SetupDiDestroyDeviceInfoList(devices);
}

std::optional<std::vector<std::string>> SetupApiAdapterRegistry::AdapterDescriptions()
{
    if (devices != INVALID_HANDLE_VALUE)
        SetupDiDestroyDeviceInfoList(devices);
    devices = SetupDiGetClassDevsA(&kNetworkAdapterInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<std::string> descriptions;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index)
        descriptions.push_back(DeviceDescription(devices, device));
    return descriptions;
}

bool SetupApiAdapterRegistry::WriteDriverValues(std::size_t index, const std::vector<AdapterDwordValue>& values)
{
    if (devices == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (!SetupDiEnumDeviceInfo(devices, static_cast<DWORD>(index), &device))
        return false;
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_WRITE);
    if (key == INVALID_HANDLE_VALUE)
        key = SetupDiCreateDevRegKeyA(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, nullptr, nullptr);
    if (key == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    for (const AdapterDwordValue& value : values) {
        DWORD data = value.value;
        if (RegSetValueExA(key, value.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) !=
            ERROR_SUCCESS) {
            written = false;
            break;
        }
    }
    RegCloseKey(key);
    return written;
}
