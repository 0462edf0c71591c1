#include "app/Settings.h"
#include "app/win/RegistryKey.h"
#include "database/ChannelDatabase.h"
#include "tests/unit/TestKit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A key of this test process's own, so that the program's key stays untouched.
class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str()); }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPath.c_str());
    }

    static bool KeyExists(HKEY root, const std::string& path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    // The stored size of a value as the system reports it, or -1.
    long StoredSize(const char* name) const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return -1;
        DWORD size = 0;
        const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS ? static_cast<long>(size) : -1;
    }

    const std::string keyPath = "Software\\Tavio\\LumisatTest" + std::to_string(GetCurrentProcessId());
};

TEST_F(RegistryKeyTest, MissingKeyIsCreatedAndTheDefaultsApply)
{
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, keyPath));
    CRegistryKey key;
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, keyPath.c_str(), KEY_READ), ERROR_SUCCESS);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, keyPath));

    MainSettings settings;
    LoadSettings(key, 0, "C:\\Lumisat", settings);
    EXPECT_EQ(settings.installationPath, "C:\\Lumisat\\");
    EXPECT_EQ(settings.languageName, "English");
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.Close(), ERROR_SUCCESS) << "nothing left to close";
    std::string value = "kept";
    EXPECT_NE(key.ReadString("PATH", value), ERROR_SUCCESS);
    EXPECT_EQ(value, "kept");
}

// Strings of up to 99 characters and numbers, each read only with its own
// type (a number-sized REG_BINARY is no number); a value that is not read
// leaves the caller's as it was.
TEST_F(RegistryKeyTest, ValuesAreReadOnlyWithTheirOwnTypeAndLength)
{
    CRegistryKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, keyPath.c_str(), KEY_WRITE), ERROR_SUCCESS);
    for (const auto& [name, length] : {std::pair{"Fits", 99}, {"Hundred", 100}, {"Empty", 0}})
        ASSERT_EQ(key.WriteString(name, std::string(length, 'a')), ERROR_SUCCESS);
    ASSERT_EQ(key.WriteNumber("Motor Degree", 3300), ERROR_SUCCESS);
    key.Close();
    const DWORD binary = 1234;
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, keyPath.c_str(), "Binary", REG_BINARY, &binary, sizeof binary),
              ERROR_SUCCESS);
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, keyPath.c_str(), KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(StoredSize("Motor Degree"), 4) << "a DWORD";
    std::string value;
    EXPECT_EQ(key.ReadString("Fits", value), ERROR_SUCCESS);
    EXPECT_EQ(value, std::string(99, 'a'));
    EXPECT_EQ(key.ReadString("Empty", value), ERROR_SUCCESS);
    EXPECT_EQ(value, "");
    value = "previous";
    for (const char* name : {"Hundred", "Missing", "Motor Degree", "Binary"})
        EXPECT_NE(key.ReadString(name, value), ERROR_SUCCESS) << name;
    EXPECT_EQ(value, "previous");
    DWORD number = 7;
    EXPECT_EQ(key.ReadNumber("Motor Degree", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 3300u);
    for (const char* name : {"Fits", "Binary"})
        EXPECT_NE(key.ReadNumber(name, number), ERROR_SUCCESS) << name;
    EXPECT_EQ(number, 3300u);
}

}   // namespace
