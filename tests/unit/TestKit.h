// Builders shared by the tests: channel records, a settings store in memory,
// language files as the installer writes them and little-endian fields.
#pragma once

#include "common/FieldText.h"
#include "common/SettingsStore.h"
#include "database/ChannelDatabase.h"
#include "database/ChannelRecords.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// DeviceKind values of a satellite, a cable and a terrestrial card.
constexpr int kSatelliteCard = 0;
constexpr int kCableCard = 5;
constexpr int kTerrestrialCard = 7;

inline std::unique_ptr<SatelliteRecord> Satellite(const char* name, std::int32_t degree)
{
    auto record = std::make_unique<SatelliteRecord>();
    std::snprintf(record->name, sizeof record->name, "%s", name);
    record->degree = degree;
    return record;
}

inline std::unique_ptr<TransponderRecord> Transponder(std::int32_t frequency, std::int32_t symbolRate,
                                                      std::int32_t polarity, const char* name = "")
{
    auto record = std::make_unique<TransponderRecord>();
    std::snprintf(record->name, sizeof record->name, "%s", name);
    record->frequency = frequency;
    record->symbolRate = symbolRate;
    record->polarity = polarity;
    return record;
}

inline std::unique_ptr<PidRecord> Pid(std::int32_t value, std::int32_t type, const char* name = "",
                                      std::int32_t loaded = 0)
{
    auto record = std::make_unique<PidRecord>();
    std::snprintf(record->name, sizeof record->name, "%s", name);
    record->pid = value;
    record->type = type;
    record->loaded = loaded;
    return record;
}

// UTF-16LE with byte-order mark, as the shipped language files are.
inline std::string Utf16File(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

inline std::int32_t Int32At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes.at(offset + i));
    return static_cast<std::int32_t>(value);
}

// Adds a record below the database's current one, made current when select
// is 1, and returns it.
template <typename Record>
Record* Added(CChannelDatabase& db, std::unique_ptr<Record> record, int select = 1)
{
    Record* added = record.get();
    if constexpr (std::is_same_v<Record, SatelliteRecord>)
        db.AddSatellite(std::move(record), select);
    else if constexpr (std::is_same_v<Record, TransponderRecord>)
        db.AddTransponder(std::move(record), select);
    else
        db.AddPid(std::move(record), select);
    return added;
}

// The names of the database's satellites (or channels), in order.
inline std::vector<std::string> SatelliteNames(const CChannelDatabase& db)
{
    std::vector<std::string> names;
    for (const SatelliteRecord* s = db.Root()->firstSatellite; s; s = s->next)
        names.emplace_back(FieldText(s->name));
    return names;
}

// Settings in memory: strings and numbers apart, as the registry keeps their
// types; every write logged as "name=value"; one named write can be refused.
class MapStore : public SettingsStore {
public:
    std::map<std::string, std::string> strings;
    std::map<std::string, std::uint32_t> dwords;
    std::vector<std::string> writes;
    std::string refused;

    bool GetString(const char* name, std::string& value) override { return Get(strings, name, value); }
    bool GetDword(const char* name, std::uint32_t& value) override { return Get(dwords, name, value); }
    bool SetString(const char* name, const std::string& value) override
    {
        strings[name] = value;
        return Logged(name, value);
    }
    bool SetDword(const char* name, std::uint32_t value) override
    {
        dwords[name] = value;
        return Logged(name, std::to_string(value));
    }

private:
    template <typename Value>
    static bool Get(const std::map<std::string, Value>& values, const char* name, Value& value)
    {
        const auto found = values.find(name);
        if (found == values.end())
            return false;
        value = found->second;
        return true;
    }
    bool Logged(const char* name, const std::string& value)
    {
        writes.push_back(std::string(name) + "=" + value);
        return refused != name;
    }
};

// The program's settings key kept in a MapStore: every opening sees the same values.
class MapKeyOpener : public SettingsKeyOpener {
public:
    MapStore store;

    std::unique_ptr<SettingsStore> Open(bool) override { return std::make_unique<Forwarding>(store); }
    std::string Name() const override { return "HKEY_CURRENT_USER\\Key"; }

private:
    class Forwarding : public SettingsStore {
    public:
        explicit Forwarding(SettingsStore& target) : target(target) {}
        bool GetString(const char* name, std::string& value) override { return target.GetString(name, value); }
        bool GetDword(const char* name, std::uint32_t& value) override { return target.GetDword(name, value); }
        bool SetString(const char* name, const std::string& value) override { return target.SetString(name, value); }
        bool SetDword(const char* name, std::uint32_t value) override { return target.SetDword(name, value); }

    private:
        SettingsStore& target;
    };
};
