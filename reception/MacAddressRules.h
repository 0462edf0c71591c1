// The rules of the MAC address dialog: which address is in use, what the six
// current-address and new-address fields show, and what Save writes to the
// adapters' registry values and to the driver. The dialog reads its controls,
// makes one call here and puts the texts back.
#pragma once

#include "reception/AdapterRegistry.h"
#include "reception/MacAddressText.h"
#include "reception/ReceptionMessages.h"

#include <array>
#include <optional>
#include <string>

using MacFieldTexts = std::array<std::string, 6>;

struct MacSaveOutcome {
    const char* message;   // shown as it stands in an OK-only message box
    bool closeDialog;      // false: the dialog stays open
};

class MacAddressRules {
public:
    MacAddressRules(ReceiverDriver& driver, AdapterRegistry& registry);

    // Reads the adapter's setting and the card's address from the driver
    // before the dialog is shown; writes the address in use to `out`.
    // 0 only when `out` is missing.
    int LoadAddresses(MacAddress* out);

    // The check box "Set MAC Address by Registry" changed (also run at the
    // dialog's initialisation with UseRegistry()): checked, the new address
    // becomes the current one and its fields are enabled; cleared, it becomes
    // the card's own and the fields are disabled.
    void SetUseRegistry(bool checked);
    bool UseRegistry() const { return useRegistry; }
    bool NewFieldsEnabled() const { return useRegistry; }

    // Two upper-case hexadecimal digits per byte.
    MacFieldTexts CurrentFieldTexts() const;
    MacFieldTexts NewFieldTexts() const;

    // Save with the dialog's check box state and new-address fields.
    MacSaveOutcome Save(bool checked, const MacFieldTexts& newFields);

    // After the dialog closed (Save or Cancel): the new address when the
    // check box was set, else the current one. 0 only when `out` is missing.
    int GetEffectiveAddress(MacAddress* out) const;

    int WriteAdapterRegistry(const NetMacSetting& setting);

private:
    ReceiverDriver& driver;
    AdapterRegistry& registry;
    bool useRegistry = false;
    MacAddress newAddress{};
    MacAddress currentAddress{};
    MacAddress cardAddress{};
};

// One new-address field as a byte: one or two hexadecimal digits, an empty
// field is 0. Nothing for any other text, which Save refuses.
std::optional<std::uint8_t> ParseMacField(const std::string& field);
