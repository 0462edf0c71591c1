// The network adapters of the system through the device installation
// services: present devices of the network adapter interface class.
#pragma once

#include "reception/AdapterRegistry.h"

#include <windows.h>
#include <setupapi.h>

class SetupApiAdapterRegistry final : public AdapterRegistry {
public:
    SetupApiAdapterRegistry();
    ~SetupApiAdapterRegistry() override;
    SetupApiAdapterRegistry(const SetupApiAdapterRegistry&) = delete;
    SetupApiAdapterRegistry& operator=(const SetupApiAdapterRegistry&) = delete;

    std::optional<std::vector<std::string>> AdapterDescriptions() override;
    bool WriteDriverValues(std::size_t index, const std::vector<AdapterDwordValue>& values) override;

private:
    HDEVINFO devices = INVALID_HANDLE_VALUE;
};
