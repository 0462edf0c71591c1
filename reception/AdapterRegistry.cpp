#include "reception/AdapterRegistry.h"

namespace {

std::uint32_t ThreeBytes(const std::uint8_t* bytes)
{
    return (static_cast<std::uint32_t>(bytes[0]) << 16) | (static_cast<std::uint32_t>(bytes[1]) << 8) | bytes[2];
}

}   // namespace

std::vector<AdapterDwordValue> AdapterMacValues(const NetMacSetting& setting)
{
    return {
        {"VMACEnable", static_cast<std::uint32_t>(setting.enable)},
        {"VMACAddress1", ThreeBytes(setting.address)},
        {"VMACAddress2", ThreeBytes(setting.address + 3)},
    };
}

int WriteAdapterRegistry(AdapterRegistry& registry, const NetMacSetting& setting)
{
    const std::optional<std::vector<std::string>> descriptions = registry.AdapterDescriptions();
    if (!descriptions)
        return 0;
    const std::vector<AdapterDwordValue> values = AdapterMacValues(setting);
    for (std::size_t index = 0; index < descriptions->size(); ++index) {
        if ((*descriptions)[index] != kReceiverAdapterDescription)
            continue;
        if (!registry.WriteDriverValues(index, values))
            return 0;
    }
    return 1;
}
