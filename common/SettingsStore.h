// Named string and number values of one settings key. The program stores
// them in the registry; tests use a map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A stored string longer than this does not fit the 100-byte read buffer
// and counts as not read.
inline constexpr std::size_t kMaxSettingTextLength = 99;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // False when the value is missing, of another type or does not fit;
    // `value` is then unchanged.
    virtual bool GetString(const char* name, std::string& value) = 0;
    virtual bool GetDword(const char* name, std::uint32_t& value) = 0;
    // False when the value could not be written.
    virtual bool SetString(const char* name, const std::string& value) = 0;
    virtual bool SetDword(const char* name, std::uint32_t value) = 0;
};

// The program's settings key, opened afresh for each read or write. A key
// that could not be opened answers every call false.
class SettingsKeyOpener {
public:
    virtual ~SettingsKeyOpener() = default;

    virtual std::unique_ptr<SettingsStore> Open(bool write) = 0;
    // Where the settings are kept, as the registry editor names it.
    virtual std::string Name() const = 0;
};
