// The system calls behind the driver check and the device removal: device
// installation services, opening a device, and the one message box. Tests
// replace them to reach the paths where a receiver is present.
#pragma once

#include <windows.h>
#include <setupapi.h>

class CDeviceServices {
public:
    virtual ~CDeviceServices() = default;

    // Present devices that expose the interface class; INVALID_HANDLE_VALUE
    // when the list cannot be obtained. Freed with FreeList.
    virtual HDEVINFO ListPresentInterfaces(const GUID& interfaceClass) = 0;
    virtual void FreeList(HDEVINFO list) = 0;
    virtual bool GetInterface(HDEVINFO list, const GUID& interfaceClass, DWORD index,
                              SP_DEVICE_INTERFACE_DATA& data) = 0;
    // As SetupDiGetDeviceInterfaceDetailA: detail may be null with size 0 to
    // learn the size needed; device, when given, receives the device's record.
    virtual bool GetInterfaceDetail(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data,
                                    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize, DWORD* requiredSize,
                                    SP_DEVINFO_DATA* device) = 0;
    // ERROR_SUCCESS, or the thread's last error after a failed removal.
    virtual DWORD RemoveDevice(HDEVINFO list, SP_DEVINFO_DATA& device) = 0;
    // For reading and writing, not shared, existing devices only.
    virtual HANDLE OpenDevice(const char* path) = 0;
    virtual void CloseDevice(HANDLE device) = 0;
    virtual void ShowAlert(const char* text, const char* caption) = 0;
};

// The services of the running system.
CDeviceServices& SystemDeviceServices();
