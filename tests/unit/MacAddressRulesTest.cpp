#include "reception/AdapterRegistry.h"
#include "reception/MacAddressRules.h"
#include "reception/StartupMacAddress.h"
#include "tests/unit/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Adapters by description; records what was written into which driver key.
class FakeAdapterRegistry final : public AdapterRegistry {
public:
    std::optional<std::vector<std::string>> descriptions = std::vector<std::string>{};
    std::set<std::size_t> failingKeys;
    std::map<std::size_t, std::map<std::string, std::uint32_t>> written;
    std::vector<std::size_t> opened;

    std::optional<std::vector<std::string>> AdapterDescriptions() override { return descriptions; }
    bool WriteDriverValues(std::size_t index, const std::vector<AdapterDwordValue>& values) override
    {
        opened.push_back(index);
        if (failingKeys.count(index) != 0)
            return false;
        for (const AdapterDwordValue& value : values)
            written[index][value.name] = value.value;
        return true;
    }
};

const MacAddress kCard{0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E};
const MacAddress kAdapter{0x02, 0x11, 0x22, 0x33, 0x44, 0x55};

NetMacSetting Setting(std::int32_t enable, const MacAddress& address)
{
    NetMacSetting setting{};
    setting.enable = enable;
    std::copy(address.begin(), address.end(), setting.address);
    return setting;
}

}   // namespace

TEST(MacFieldParsing, OneOrTwoHexDigitsMakeAByte)
{
    const std::pair<const char*, std::optional<std::uint8_t>> fields[] = {
        {"A", 0x0A},          {"a", 0x0A},          {"", 0x00},           {"ab", 0xAB},
        {"07", 0x07},         {"g", std::nullopt},  {"1g", std::nullopt}, {"0x", std::nullopt},
        {" A", std::nullopt}, {"-1", std::nullopt}, {"123", std::nullopt}};
    for (const auto& [text, value] : fields)
        EXPECT_EQ(ParseMacField(text), value) << '"' << text << '"';
}

// Every adapter described exactly as the receiver's gets the three values;
// a key that cannot be written stops the rest, without rolling back.
TEST(MacAdapterRegistry, WritesEveryAdapterDescribedExactlyAsTheReceivers)
{
    FakeAdapterRegistry registry;
    registry.descriptions = std::vector<std::string>{kReceiverAdapterDescription, "rivanet ethernet controller", "",
                                                     kReceiverAdapterDescription, kReceiverAdapterDescription};
    registry.failingKeys = {4};
    EXPECT_EQ(WriteAdapterRegistry(registry, Setting(1, {0x00, 0x11, 0x22, 0xAB, 0xCD, 0xEF})), 0);
    EXPECT_EQ(registry.opened, (std::vector<std::size_t>{0, 3, 4}));
    EXPECT_EQ(registry.written[3], (std::map<std::string, std::uint32_t>{
                                       {"VMACEnable", 1}, {"VMACAddress1", 4386}, {"VMACAddress2", 11259375}}));
    EXPECT_EQ(AdapterMacValues(Setting(0, {0xFF, 0xFF, 0xFF, 0x80, 0, 1}))[1].value, 0xFFFFFFu);

    FakeAdapterRegistry none;
    none.descriptions = std::vector<std::string>{"Other"};
    EXPECT_EQ(WriteAdapterRegistry(none, Setting(1, kAdapter)), 1) << "no receiver adapter still counts as done";
    none.descriptions = std::nullopt;
    EXPECT_EQ(WriteAdapterRegistry(none, Setting(1, kAdapter)), 0) << "the adapters cannot be listed";
}

// Refused by the driver, the address in use stays: a Cancel then gives the
// filter the address the adapter has. Taken, the typed one is in use.
TEST(MacDialog, SaveWritesTheTypedAddressToRegistryAndDriver)
{
    ScriptedDriver driver;
    driver.cardMac = kCard;
    FakeAdapterRegistry registry;
    registry.descriptions = std::vector<std::string>{"Other Adapter", kReceiverAdapterDescription};
    MacAddressRules rules{driver, registry};
    MacAddress effective{};
    ASSERT_EQ(rules.LoadAddresses(&effective), 1);
    const auto inUse = [&] { return std::pair(rules.GetEffectiveAddress(&effective), effective); };
    driver.SetResult("SetNetMACAddr", 2);
    EXPECT_FALSE(rules.Save(true, {"00", "11", "22", "ab", "CD", "ef"}).closeDialog);
    EXPECT_EQ(rules.CurrentFieldTexts(), (MacFieldTexts{"00", "0A", "0B", "0C", "0D", "0E"}));
    EXPECT_EQ(inUse(), std::pair(1, kCard));

    driver.SetResult("SetNetMACAddr", 0);
    const MacSaveOutcome outcome = rules.Save(true, {"00", "11", "22", "ab", "CD", "ef"});
    EXPECT_TRUE(outcome.closeDialog);
    EXPECT_EQ(registry.written[1]["VMACAddress2"], 11259375u) << "the receiver's adapter only";
    EXPECT_EQ(registry.written.count(0), 0u);
    ASSERT_EQ(driver.netMacsSet.size(), 2u);
    const MacAddress typed{0x00, 0x11, 0x22, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(std::pair(driver.netMacsSet[1].enable, MacOf(driver.netMacsSet[1])), std::pair(1, typed));
    EXPECT_EQ(rules.CurrentFieldTexts(), (MacFieldTexts{"00", "11", "22", "AB", "CD", "EF"}));
    EXPECT_EQ(inUse(), std::pair(1, typed));
    EXPECT_EQ(rules.GetEffectiveAddress(nullptr), 0);
}

TEST(MacStartup, AdapterSettingWinsAndGoesBackToRegistryAndDriver)
{
    ScriptedDriver driver;
    FakeAdapterRegistry registry;
    registry.descriptions = std::vector<std::string>{kReceiverAdapterDescription};
    driver.netMac = Setting(1, {0x00, 0x11, 0x22, 0xAB, 0xCD, 0xEF});
    const MacAddress filter = ApplyStartupMacAddresses(driver, registry, [](const std::string&) {});

    EXPECT_EQ(filter, MacOf(driver.netMac));
    EXPECT_EQ(driver.Calls(), (std::vector<std::string>{"GetNetMACAddr", "SetNetMACAddr", "SetFilterMAC"}));
    EXPECT_EQ(registry.written[0]["VMACAddress2"], 11259375u);
    EXPECT_EQ(driver.filterMacsSet, (std::vector<std::array<std::uint8_t, 6>>{filter}));
}
