// Typed reading of .ini entries for the card configuration. A missing entry
// leaves the target at its default; a bad one leaves it too and adds a warning
// that names the line, so a mistyped file still gives a working card.
#pragma once

#include "simulator/ConfigValues.h"
#include "simulator/IniText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarlink {

class IniValueReader {
public:
    explicit IniValueReader(std::vector<std::string>& warnings) : warnings(warnings) {}

    // The last entry for key in this one section, or null.
    static const IniEntry* FindIn(const IniSection& section, std::string_view key);

    // Each returns true when the entry is there and its value was taken.
    bool Integer(const IniEntry* entry, int& target, long long min, long long max);
    bool Unsigned(const IniEntry* entry, std::uint32_t& target, std::uint32_t min, std::uint32_t max);
    bool Unsigned64(const IniEntry* entry, std::uint64_t& target);
    bool Decimal(const IniEntry* entry, double& target, double min, double max);
    bool Mac(const IniEntry* entry, MacAddress& target);
    bool Flag(const IniEntry* entry, bool& target);
    bool Text(const IniEntry* entry, std::string& target);

    void Warn(const IniEntry& entry, std::string_view problem);
    void Warn(const IniSection& section, std::string_view problem);

private:
    std::vector<std::string>& warnings;
};

}   // namespace quarlink
