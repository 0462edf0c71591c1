// The program's registry key: a primary handle and, for keys of the local
// machine on the NT family, a secondary one that reads prefer and writes go to.
#pragma once

#include "common/SettingsStore.h"

#include <windows.h>

#include <string>

class CRegistryKey : public SettingsStore {
public:
    CRegistryKey() = default;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    ~CRegistryKey() override;

    // Results are system error codes, ERROR_SUCCESS (0) for success.
    // A key that cannot be opened is created with write access, except for
    // the local machine on Windows 2000 and later, where only a request for
    // exactly KEY_WRITE creates it.
    virtual LONG Open(HKEY root, const char* subKey, REGSAM access);
    // A handle is forgotten only when it closes; answers the last close made.
    virtual LONG Close();
    virtual LONG Create(HKEY root, const char* subKey, char* className, DWORD options, REGSAM access,
                        SECURITY_ATTRIBUTES* security, DWORD* disposition);

    // Reads with a 100-byte buffer: a string of more than 99 characters, or a
    // value of another type, counts as not read and `value` is unchanged.
    LONG ReadString(const char* name, std::string& value);
    LONG ReadNumber(const char* name, DWORD& value);
    // Writes strlen(value) bytes; the system itself adds the terminating zero
    // that it finds behind the text.
    LONG WriteString(const char* name, const std::string& value);
    LONG WriteNumber(const char* name, DWORD value);

    bool GetString(const char* name, std::string& value) override;
    bool GetDword(const char* name, std::uint32_t& value) override;
    bool SetString(const char* name, const std::string& value) override;
    bool SetDword(const char* name, std::uint32_t value) override;

private:
    HKEY WriteHandle() const { return secondary ? secondary : primary; }

    HKEY primary = nullptr;
    HKEY secondary = nullptr;
};

// The system's version class (see SystemVersionClass), read afresh each time.
int CurrentSystemVersionClass();

// HKEY_LOCAL_MACHINE on Windows 95, 98 and Me, HKEY_CURRENT_USER elsewhere.
HKEY SettingsRootKey();

struct MainSettings;
// The start-up's "PATH": the local machine's value, when there is one, into
// the installation path and the current user's key.
void CopyMachinePath(MainSettings& settings);

// The settings key under SettingsRootKey().
class CSettingsKeyOpener final : public SettingsKeyOpener {
public:
    std::unique_ptr<SettingsStore> Open(bool write) override;
    std::string Name() const override;
};
