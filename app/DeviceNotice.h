// Which device-change notices concern the receiver. Windows broadcasts the
// arrival and removal of volumes and other devices to every top-level window,
// registered or not; only the receiver's own interface may close the program.
#pragma once

#include <array>
#include <cstdint>

// The receiver's device interface class {7A30FB62-1DF4-408C-B139-002F145DF189},
// in the byte order of a GUID in memory.
extern const std::array<std::uint8_t, 16> kReceiverInterfaceClassBytes;

// What a notice's record says, read from its header (dbch_devicetype) and,
// for a device interface, its class (dbcc_classguid).
struct DeviceNoticeRecord {
    std::uint32_t deviceType = 0;
    std::array<std::uint8_t, 16> interfaceClass{};
};

constexpr std::uint32_t kDeviceTypeInterface = 5;       // DBT_DEVTYP_DEVICEINTERFACE
constexpr std::uint32_t kDeviceEventArrival = 0x8000;   // DBT_DEVICEARRIVAL
constexpr std::uint32_t kDeviceEventRemoved = 0x8004;   // DBT_DEVICEREMOVECOMPLETE

enum class DeviceNoticeAction { Ignore, ReceiverArrived, ReceiverRemoved };

// record is null when the notice carries none.
DeviceNoticeAction ClassifyDeviceNotice(std::uint32_t event, const DeviceNoticeRecord* record);
