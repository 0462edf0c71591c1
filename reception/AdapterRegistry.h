// The network adapters of the system and their driver keys in the registry,
// as far as the MAC address rules need them. The Windows implementation
// enumerates the network adapter interface class with the device
// installation services; tests substitute an adapter table.
#pragma once

#include "driver/DriverRecords.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kReceiverAdapterDescription = "Rivanet Ethernet Controller";

struct AdapterDwordValue {
    const char* name;
    std::uint32_t value;
};

class AdapterRegistry {
public:
    virtual ~AdapterRegistry() = default;

    // The device descriptions of the present network adapters, in the order
    // of the device list; an adapter whose description cannot be read, or is
    // longer than 256 bytes, is given as an empty text. Nothing when the
    // device list cannot be obtained.
    virtual std::optional<std::vector<std::string>> AdapterDescriptions() = 0;

    // Opens or creates the driver key of the adapter at `index` of that list
    // and writes each value as REG_DWORD, closing the key in every case.
    // False when the key cannot be opened or a write fails.
    virtual bool WriteDriverValues(std::size_t index, const std::vector<AdapterDwordValue>& values) = 0;
};

// "VMACEnable", "VMACAddress1" (bytes 1 to 3) and "VMACAddress2" (bytes 4 to
// 6), each address half read as one big-endian number.
std::vector<AdapterDwordValue> AdapterMacValues(const NetMacSetting& setting);

// Writes the setting into the driver key of every adapter described exactly
// as the receiver's. 1 when done, also when no adapter matches; 0 when the
// list cannot be obtained or a key of a matching adapter cannot be written.
// Adapters written before a failure keep their new values.
int WriteAdapterRegistry(AdapterRegistry& registry, const NetMacSetting& setting);
