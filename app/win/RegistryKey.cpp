#include "app/win/RegistryKey.h"

#include "app/Settings.h"

namespace {

constexpr DWORD kStringBufferSize = 100;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

LONG QueryString(HKEY key, const char* name, std::string& value)
{
    char buffer[kStringBufferSize + 1] = {};
    DWORD type = 0;
    DWORD size = kStringBufferSize;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (!IsStringType(type))
        return ERROR_INVALID_DATA;
    // A value stored without its zero can fill all 100 bytes: then it does
    // not fit a 99-character field either.
    const std::size_t length = strnlen(buffer, size);
    if (length > kMaxSettingTextLength)
        return ERROR_MORE_DATA;
    value.assign(buffer, length);
    return ERROR_SUCCESS;
}

LONG QueryNumber(HKEY key, const char* name, DWORD& value)
{
    DWORD number = 0;
    DWORD type = 0;
    DWORD size = sizeof number;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_DWORD || size != sizeof number)
        return ERROR_INVALID_DATA;
    value = number;
    return ERROR_SUCCESS;
}

// Reads from the secondary handle when it is open, else or on failure from
// the primary one.
template <typename Value, typename Query>
LONG ReadValue(HKEY secondary, HKEY primary, const char* name, Value& value, Query query)
{
    LONG result = ERROR_INVALID_HANDLE;
    if (secondary) {
        result = query(secondary, name, value);
        if (result == ERROR_SUCCESS)
            return result;
    }
    if (primary)
        result = query(primary, name, value);
    return result;
}

}   // namespace

CRegistryKey::~CRegistryKey() { Close(); }

LONG CRegistryKey::Open(HKEY root, const char* subKey, REGSAM access)
{
    const int versionClass = CurrentSystemVersionClass();
    Close();
    if ((versionClass == 7 || versionClass == 8) && root == HKEY_LOCAL_MACHINE) {
        if (RegOpenKeyExA(root, subKey, 0, access, &primary) != ERROR_SUCCESS)
            primary = nullptr;
        const LONG result = access == KEY_WRITE
                                ? RegCreateKeyExA(root, subKey, 0, nullptr, 0, access, nullptr, &secondary, nullptr)
                                : RegOpenKeyExA(root, subKey, 0, access, &secondary);
        if (result != ERROR_SUCCESS)
            secondary = nullptr;
        return result;
    }
    const LONG result = RegOpenKeyExA(root, subKey, 0, access, &primary);
    if (result == ERROR_SUCCESS)
        return result;
    primary = nullptr;
    return Create(root, subKey, nullptr, 0, KEY_WRITE, nullptr, nullptr);
}

LONG CRegistryKey::Close()
{
    LONG result = ERROR_SUCCESS;
    for (HKEY* handle : {&primary, &secondary}) {
        if (!*handle)
            continue;
        result = RegCloseKey(*handle);
        if (result == ERROR_SUCCESS)
            *handle = nullptr;
    }
    return result;
}

LONG CRegistryKey::Create(HKEY root, const char* subKey, char* className, DWORD options, REGSAM access,
                          SECURITY_ATTRIBUTES* security, DWORD* disposition)
{
    Close();
    const LONG result = RegCreateKeyExA(root, subKey, 0, className, options, access, security, &primary, disposition);
    if (result != ERROR_SUCCESS)
        primary = nullptr;
    return result;
}

LONG CRegistryKey::ReadString(const char* name, std::string& value)
{
    return ReadValue(secondary, primary, name, value, QueryString);
}

LONG CRegistryKey::ReadNumber(const char* name, DWORD& value)
{
    return ReadValue(secondary, primary, name, value, QueryNumber);
}

LONG CRegistryKey::WriteString(const char* name, const std::string& value)
{
    const HKEY key = WriteHandle();
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size()));
}

LONG CRegistryKey::WriteNumber(const char* name, DWORD value)
{
    const HKEY key = WriteHandle();
    if (!key)
        return ERROR_INVALID_HANDLE;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

bool CRegistryKey::GetString(const char* name, std::string& value) { return ReadString(name, value) == ERROR_SUCCESS; }

bool CRegistryKey::GetDword(const char* name, std::uint32_t& value)
{
    DWORD number = 0;
    if (ReadNumber(name, number) != ERROR_SUCCESS)
        return false;
    value = number;
    return true;
}

bool CRegistryKey::SetString(const char* name, const std::string& value)
{
    return WriteString(name, value) == ERROR_SUCCESS;
}

bool CRegistryKey::SetDword(const char* name, std::uint32_t value) { return WriteNumber(name, value) == ERROR_SUCCESS; }

int CurrentSystemVersionClass()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    SystemVersion version;
    version.readable = GetVersionExA(&info) != 0;
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return SystemVersionClass(version);
}

HKEY SettingsRootKey()
{
    return SettingsHiveFor(CurrentSystemVersionClass()) == SettingsHive::LocalMachine ? HKEY_LOCAL_MACHINE
                                                                                      : HKEY_CURRENT_USER;
}

void CopyMachinePath(MainSettings& settings)
{
    CRegistryKey machineKey;
    machineKey.Open(HKEY_LOCAL_MACHINE, kSettingsKeyPath, KEY_READ);
    CRegistryKey userKey;
    userKey.Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_WRITE);
    CopyInstallationPath(machineKey, userKey, settings);
}

std::string CSettingsKeyOpener::Name() const
{
    const char* hive = SettingsRootKey() == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
    return hive + std::string(kSettingsKeyPath);
}

std::unique_ptr<SettingsStore> CSettingsKeyOpener::Open(bool write)
{
    auto key = std::make_unique<CRegistryKey>();
    key->Open(SettingsRootKey(), kSettingsKeyPath, write ? KEY_WRITE : KEY_READ);
    return key;
}
