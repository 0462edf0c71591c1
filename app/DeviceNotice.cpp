#include "app/DeviceNotice.h"

const std::array<std::uint8_t, 16> kReceiverInterfaceClassBytes = {0x62, 0xFB, 0x30, 0x7A, 0xF4, 0x1D, 0x8C, 0x40,
                                                                   0xB1, 0x39, 0x00, 0x2F, 0x14, 0x5D, 0xF1, 0x89};

DeviceNoticeAction ClassifyDeviceNotice(std::uint32_t event, const DeviceNoticeRecord* record)
{
    if (record == nullptr || record->deviceType != kDeviceTypeInterface ||
        record->interfaceClass != kReceiverInterfaceClassBytes)
        return DeviceNoticeAction::Ignore;
    if (event == kDeviceEventArrival)
        return DeviceNoticeAction::ReceiverArrived;
    if (event == kDeviceEventRemoved)
        return DeviceNoticeAction::ReceiverRemoved;
    return DeviceNoticeAction::Ignore;
}
