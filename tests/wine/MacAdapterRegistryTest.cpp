// The MAC address dialog's registry step through the real device
// installation services: no adapter of the receiver exists here, so the step
// is done without writing anything.
#include "driver/win/QuarlinkDriver.h"
#include "language/win/DialogLanguage.h"
#include "reception/win/MacAddressDlg.h"
#include "reception/win/SetupApiAdapterRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The driver keys of the network adapter class.
const char kNetworkClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";

// Driver keys of network adapters that hold "VMACEnable".
std::vector<std::string> KeysWithMacValues()
{
    std::vector<std::string> found;
    HKEY classKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNetworkClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS)
        return found;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(classKey, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegGetValueA(classKey, name, "VMACEnable", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS)
            found.emplace_back(name);
    }
    RegCloseKey(classKey);
    return found;
}

}  // namespace

TEST(MacAdapterRegistryWin, WithoutTheReceiversAdapterSucceedsAndWritesNothing)
{
    SetupApiAdapterRegistry adapters;
    const auto descriptions = adapters.AdapterDescriptions();
    ASSERT_TRUE(descriptions.has_value()) << "the list of network adapters is available";
    for (const std::string& description : *descriptions)
        ASSERT_NE(description, kReceiverAdapterDescription) << "this test needs a system without the receiver";
    const std::vector<std::string> before = KeysWithMacValues();

    // The main dialog uses a dialog object that it never shows.
    const CDialogLanguage language(MacAddressLanguageKeys());
    CMacAddressDlg dialog(TheReceiverDriver(), language);
    const NetMacSetting setting{1, {0x00, 0x11, 0x22, 0xAB, 0xCD, 0xEF}, {0, 0}};
    EXPECT_EQ(dialog.WriteAdapterRegistry(setting), 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(KeysWithMacValues(), before);
    EXPECT_TRUE(before.empty()) << "no adapter carries the receiver's values";
}
