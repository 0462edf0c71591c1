#include "reception/MacAddressRules.h"

#include "reception/FormatText.h"
#include "reception/NumberText.h"

#include <algorithm>

using namespace reception;

namespace {

MacFieldTexts FieldTexts(const MacAddress& address)
{
    MacFieldTexts texts;
    for (std::size_t i = 0; i < address.size(); ++i)
        texts[i] = FormatText("%02X", address[i]);
    return texts;
}

std::optional<MacAddress> ParseMacFields(const MacFieldTexts& fields)
{
    MacAddress address{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<std::uint8_t> byte = ParseMacField(fields[i]);
        if (!byte)
            return std::nullopt;
        address[i] = *byte;
    }
    return address;
}

}   // namespace

std::optional<std::uint8_t> ParseMacField(const std::string& field)
{
    if (field.size() > 2 || !AllHexDigits(field))
        return std::nullopt;
    // Padded on the left, so that "A" is 0x0A and an empty field 0x00.
    const std::string padded = std::string(2 - field.size(), '0') + field;
    return static_cast<std::uint8_t>(ReadHexAfterPrefix(padded).value_or(0) & 0xFFu);
}

MacAddressRules::MacAddressRules(ReceiverDriver& driver, AdapterRegistry& registry) : driver(driver), registry(registry)
{
}

int MacAddressRules::LoadAddresses(MacAddress* out)
{
    if (out == nullptr)
        return 0;
    NetMacSetting setting{};
    driver.GetNetMACAddr(&setting);
    if (driver.GetMACAddr(cardAddress.data()) != 0)
        cardAddress = MacOf(setting);
    currentAddress = setting.enable != 0 ? MacOf(setting) : cardAddress;
    newAddress = currentAddress;
    *out = currentAddress;
    useRegistry = setting.enable != 0;
    return 1;
}

void MacAddressRules::SetUseRegistry(bool checked)
{
    useRegistry = checked;
    newAddress = checked ? currentAddress : cardAddress;
}

MacFieldTexts MacAddressRules::CurrentFieldTexts() const { return FieldTexts(currentAddress); }

MacFieldTexts MacAddressRules::NewFieldTexts() const { return FieldTexts(newAddress); }

MacSaveOutcome MacAddressRules::Save(bool checked, const MacFieldTexts& newFields)
{
    useRegistry = checked;
    MacAddress chosen = cardAddress;
    if (useRegistry) {
        const std::optional<MacAddress> typed = ParseMacFields(newFields);
        if (!typed)
            return {ReceptionMessages::kMacFieldNotHex, false};
        chosen = *typed;
    }

    NetMacSetting setting{};
    setting.enable = useRegistry ? 1 : 0;
    std::copy(chosen.begin(), chosen.end(), setting.address);
    // Until the driver takes the address, the one in use stays current: a
    // Cancel after a refusal must not give the filter an address the adapter
    // does not have.
    if (WriteAdapterRegistry(setting) == 0)
        return {ReceptionMessages::kMacRegistryFailed, false};
    if (driver.SetNetMACAddr(&setting) != 0)
        return {ReceptionMessages::kMacDriverFailed, false};
    newAddress = chosen;
    currentAddress = chosen;
    return {ReceptionMessages::kMacSaved, true};
}

int MacAddressRules::GetEffectiveAddress(MacAddress* out) const
{
    if (out == nullptr)
        return 0;
    *out = useRegistry ? newAddress : currentAddress;
    return 1;
}

int MacAddressRules::WriteAdapterRegistry(const NetMacSetting& setting)
{
    return ::WriteAdapterRegistry(registry, setting);
}
