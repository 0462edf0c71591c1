#include "simulator/IniValueReader.h"

#include <cstdio>

namespace quarlink {

const IniEntry* IniValueReader::FindIn(const IniSection& section, std::string_view key)
{
    const IniEntry* found = nullptr;
    for (const IniEntry& entry : section.entries) {
        if (EqualsNoCase(entry.key, key))
            found = &entry;
    }
    return found;
}

bool IniValueReader::Integer(const IniEntry* entry, int& target, long long min, long long max)
{
    if (!entry)
        return false;
    const auto value = ParseInteger(entry->value);
    if (!value || *value < min || *value > max) {
        Warn(*entry, "not a whole number from " + std::to_string(min) + " to " + std::to_string(max));
        return false;
    }
    target = static_cast<int>(*value);
    return true;
}

bool IniValueReader::Unsigned(const IniEntry* entry, std::uint32_t& target, std::uint32_t min, std::uint32_t max)
{
    if (!entry)
        return false;
    const auto value = ParseInteger(entry->value);
    if (!value || *value < static_cast<long long>(min) || *value > static_cast<long long>(max)) {
        Warn(*entry, "not a whole number from " + std::to_string(min) + " to " + std::to_string(max));
        return false;
    }
    target = static_cast<std::uint32_t>(*value);
    return true;
}

bool IniValueReader::Unsigned64(const IniEntry* entry, std::uint64_t& target)
{
    if (!entry)
        return false;
    const auto value = ParseInteger(entry->value);
    if (!value || *value < 0) {
        Warn(*entry, "not a whole number of 0 or more");
        return false;
    }
    target = static_cast<std::uint64_t>(*value);
    return true;
}

bool IniValueReader::Decimal(const IniEntry* entry, double& target, double min, double max)
{
    if (!entry)
        return false;
    const auto value = ParseDecimal(entry->value);
    if (!value || *value < min || *value > max) {
        char range[64];
        std::snprintf(range, sizeof range, "not a number from %g to %g", min, max);
        Warn(*entry, range);
        return false;
    }
    target = *value;
    return true;
}

bool IniValueReader::Mac(const IniEntry* entry, MacAddress& target)
{
    if (!entry)
        return false;
    const auto value = ParseMac(entry->value);
    if (!value) {
        Warn(*entry, "not a MAC address like 00-1A-2B-3C-4D-5E");
        return false;
    }
    target = *value;
    return true;
}

bool IniValueReader::Flag(const IniEntry* entry, bool& target)
{
    if (!entry)
        return false;
    const auto value = ParseSwitch(entry->value);
    if (!value) {
        Warn(*entry, "not 0 or 1");
        return false;
    }
    target = *value;
    return true;
}

bool IniValueReader::Text(const IniEntry* entry, std::string& target)
{
    if (!entry)
        return false;
    target = entry->value;
    return true;
}

void IniValueReader::Warn(const IniEntry& entry, std::string_view problem)
{
    constexpr std::size_t kShownValue = 40;
    std::string shown = entry.value.substr(0, kShownValue);
    if (entry.value.size() > kShownValue)
        shown += "...";
    warnings.push_back("line " + std::to_string(entry.line) + ": " + entry.key + " = \"" + shown +
                       "\": " + std::string(problem) + "; ignored");
}

void IniValueReader::Warn(const IniSection& section, std::string_view problem)
{
    warnings.push_back("line " + std::to_string(section.line) + ": [" + section.name + "] " + std::string(problem));
}

}   // namespace quarlink
