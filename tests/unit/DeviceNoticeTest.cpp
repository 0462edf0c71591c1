#include "app/DeviceNotice.h"

#include <gtest/gtest.h>

TEST(DeviceNotice, OnlyTheReceiversInterfaceCounts)
{
    constexpr std::uint32_t kVolume = 2;
    DeviceNoticeRecord receiver{kDeviceTypeInterface, kReceiverInterfaceClassBytes};
    DeviceNoticeRecord otherInterface = receiver;
    otherInterface.interfaceClass[15] ^= 1;
    // A volume's record is shorter: whatever follows its header is not a class.
    DeviceNoticeRecord volume{kVolume, kReceiverInterfaceClassBytes};

    struct Case {
        std::uint32_t event;
        const DeviceNoticeRecord* record;
        DeviceNoticeAction expected;
    };
    const Case cases[] = {
        {kDeviceEventArrival, &receiver, DeviceNoticeAction::ReceiverArrived},
        {kDeviceEventRemoved, &receiver, DeviceNoticeAction::ReceiverRemoved},
        {0x8001, &receiver, DeviceNoticeAction::Ignore},   // query remove
        {kDeviceEventRemoved, &volume, DeviceNoticeAction::Ignore},
        {kDeviceEventArrival, &volume, DeviceNoticeAction::Ignore},
        {kDeviceEventRemoved, &otherInterface, DeviceNoticeAction::Ignore},
        {kDeviceEventArrival, &otherInterface, DeviceNoticeAction::Ignore},
        {kDeviceEventRemoved, nullptr, DeviceNoticeAction::Ignore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyDeviceNotice(c.event, c.record), c.expected)
            << "event " << std::hex << c.event << " type " << (c.record ? c.record->deviceType : 0);
}
