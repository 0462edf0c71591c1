#include "setup/win/DeviceServices.h"

namespace {

class CSystemDeviceServices : public CDeviceServices {
public:
    HDEVINFO ListPresentInterfaces(const GUID& interfaceClass) override
    {
        return SetupDiGetClassDevsA(&interfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    }
    void FreeList(HDEVINFO list) override { SetupDiDestroyDeviceInfoList(list); }
    bool GetInterface(HDEVINFO list, const GUID& interfaceClass, DWORD index, SP_DEVICE_INTERFACE_DATA& data) override
    {
        return SetupDiEnumDeviceInterfaces(list, nullptr, &interfaceClass, index, &data) != FALSE;
    }
    bool GetInterfaceDetail(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data, SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                            DWORD detailSize, DWORD* requiredSize, SP_DEVINFO_DATA* device) override
    {
        return SetupDiGetDeviceInterfaceDetailA(list, &data, detail, detailSize, requiredSize, device) != FALSE;
    }
    DWORD RemoveDevice(HDEVINFO list, SP_DEVINFO_DATA& device) override
    {
        return SetupDiRemoveDevice(list, &device) ? ERROR_SUCCESS : GetLastError();
    }
    HANDLE OpenDevice(const char* path) override
    {
        return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    }
    void CloseDevice(HANDLE device) override { CloseHandle(device); }
    void ShowAlert(const char* text, const char* caption) override { MessageBoxA(nullptr, text, caption, MB_OK); }
};

}   // namespace

CDeviceServices& SystemDeviceServices()
{
    static CSystemDeviceServices services;
    return services;
}
