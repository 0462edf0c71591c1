#include "app/win/ReceiverNotices.h"

#include <dbt.h>

#include <cstddef>
#include <cstring>

void RegisterReceiverNotices(HWND window)
{
    static_assert(sizeof(GUID) == kReceiverInterfaceClassBytes.size());
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = 32;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(&filter.dbcc_classguid, kReceiverInterfaceClassBytes.data(), sizeof(GUID));
    RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

DeviceNoticeAction ClassifyWindowsNotice(WPARAM event, LPARAM data)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header == nullptr)
        return ClassifyDeviceNotice(static_cast<std::uint32_t>(event), nullptr);
    DeviceNoticeRecord record;
    record.deviceType = header->dbch_devicetype;
    if (record.deviceType == DBT_DEVTYP_DEVICEINTERFACE &&
        header->dbch_size >= offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_classguid) + sizeof(GUID)) {
        const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(header);
        std::memcpy(record.interfaceClass.data(), &device->dbcc_classguid, sizeof(GUID));
    }
    return ClassifyDeviceNotice(static_cast<std::uint32_t>(event), &record);
}
