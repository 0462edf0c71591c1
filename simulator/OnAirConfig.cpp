#include "simulator/OnAirConfig.h"

#include "simulator/OrbitalPosition.h"

#include "common/BlankTrim.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace quarlink {

namespace {

constexpr std::uint16_t kHighestPid = 0x1FFF;

bool ReadRequired(const IniSection& section, std::string_view key, IniValueReader& reader, std::uint32_t& target,
                  std::uint32_t min, std::uint32_t max)
{
    const IniEntry* entry = IniValueReader::FindIn(section, key);
    if (!entry) {
        reader.Warn(section, "has no " + std::string(key) + "; section ignored");
        return false;
    }
    if (!reader.Unsigned(entry, target, min, max)) {
        reader.Warn(section, "section ignored");
        return false;
    }
    return true;
}

// "Pid = <pid> <kbit/s> [MAC ...]"
std::optional<OnAirPid> ReadPid(const IniEntry& entry, IniValueReader& reader)
{
    const auto words = SplitWords(entry.value);
    const auto pid = words.size() >= 2 ? ParseInteger(words[0]) : std::nullopt;
    const auto kbps = words.size() >= 2 ? ParseInteger(words[1]) : std::nullopt;
    if (!pid || *pid < 0 || *pid > kHighestPid || !kbps || *kbps < 0 || *kbps > kHighestPidKbps) {
        reader.Warn(entry, "not \"<PID 0..8191> <kbit/s 0..200000> [MAC ...]\"");
        return std::nullopt;
    }
    OnAirPid onAir{static_cast<std::uint16_t>(*pid), static_cast<std::uint32_t>(*kbps), {}};
    for (std::size_t i = 2; i < words.size(); ++i) {
        const auto mac = ParseMac(words[i]);
        if (!mac) {
            reader.Warn(entry, "holds \"" + std::string(words[i].substr(0, 20)) + "\", which is not a MAC address");
            return std::nullopt;
        }
        onAir.macs.push_back(*mac);
    }
    return onAir;
}

void ReadPids(const IniSection& section, IniValueReader& reader, Carrier& carrier)
{
    for (const IniEntry& entry : section.entries) {
        if (!EqualsNoCase(entry.key, "Pid"))
            continue;
        auto pid = ReadPid(entry, reader);
        if (!pid)
            continue;
        const bool repeated = std::any_of(carrier.pids.begin(), carrier.pids.end(),
                                          [&](const OnAirPid& known) { return known.pid == pid->pid; });
        if (repeated)
            reader.Warn(entry, "repeats a PID of this section");
        else
            carrier.pids.push_back(std::move(*pid));
    }
}

void ReadLevels(const IniSection& section, IniValueReader& reader, Carrier& carrier)
{
    reader.Integer(IniValueReader::FindIn(section, "Strength"), carrier.strength, -1000, 1000);
    reader.Integer(IniValueReader::FindIn(section, "Quality"), carrier.quality, -1000, 1000);
    ReadPids(section, reader, carrier);
}

std::optional<Carrier> ReadTransponder(const IniSection& section, IniValueReader& reader)
{
    Carrier carrier;
    const IniEntry* satellite = IniValueReader::FindIn(section, "Satellite");
    const auto position = satellite ? ParseOrbitalPosition(satellite->value) : std::nullopt;
    const IniEntry* polarity = IniValueReader::FindIn(section, "Polarity");
    const auto polarityValue = polarity ? ParsePolarity(polarity->value) : std::nullopt;
    if (!position || !polarityValue) {
        reader.Warn(section, "needs Satellite (19.2E, 30.0W or tenths) and Polarity (H, V, L or R); section ignored");
        return std::nullopt;
    }
    carrier.satellite = *position;
    carrier.polarity = *polarityValue;
    if (!ReadRequired(section, "Frequency", reader, carrier.frequency, 1, 30000) ||
        !ReadRequired(section, "SymbolRate", reader, carrier.symbolRate, 1, 100000))
        return std::nullopt;
    ReadLevels(section, reader, carrier);
    return carrier;
}

std::optional<Carrier> ReadChannel(const IniSection& section, CardKind kind, IniValueReader& reader)
{
    Carrier carrier;
    if (!ReadRequired(section, "Frequency", reader, carrier.frequency, 1, 3000000))
        return std::nullopt;
    const bool tuned = kind == CardKind::Cable
                           ? ReadRequired(section, "SymbolRate", reader, carrier.symbolRate, 1, 100000) &&
                                 ReadRequired(section, "QAM", reader, carrier.qam, 1, 4096)
                           : ReadRequired(section, "Bandwidth", reader, carrier.bandwidth, 1, 100);
    if (!tuned)
        return std::nullopt;
    ReadLevels(section, reader, carrier);
    return carrier;
}

}   // namespace

std::vector<Carrier> ReadCarriers(const IniText& ini, CardKind kind, IniValueReader& reader)
{
    const bool satellite = kind == CardKind::Satellite;
    for (const IniSection* unused : ini.SectionsNamed(satellite ? "Channel" : "Transponder"))
        reader.Warn(*unused,
                    satellite ? "is for cable and terrestrial cards; ignored" : "is for satellite cards; ignored");

    std::vector<Carrier> carriers;
    for (const IniSection* section : ini.SectionsNamed(satellite ? "Transponder" : "Channel")) {
        auto carrier = satellite ? ReadTransponder(*section, reader) : ReadChannel(*section, kind, reader);
        if (carrier)
            carriers.push_back(std::move(*carrier));
    }
    return carriers;
}

FaultRules ReadFaultRules(const IniText& ini, IniValueReader& reader)
{
    FaultRules rules{};
    for (const IniSection* section : ini.SectionsNamed("Fault")) {
        const std::string_view label = Trim(std::string_view(section->name).substr(5));
        const auto call = FindDriverCall(label);
        if (!call) {
            reader.Warn(*section, "does not name one of the driver's calls; ignored");
            continue;
        }
        FaultRule& rule = rules[static_cast<std::size_t>(*call)];
        rule.replaceResult = reader.Integer(IniValueReader::FindIn(*section, "Result"), rule.result, INT_MIN, INT_MAX);
        reader.Unsigned(IniValueReader::FindIn(*section, "DelayMs"), rule.delayMs, 0, 600000);
        reader.Unsigned(IniValueReader::FindIn(*section, "Skip"), rule.skip, 0, UINT32_MAX);
        reader.Unsigned(IniValueReader::FindIn(*section, "Count"), rule.count, 0, UINT32_MAX);
    }
    return rules;
}

}   // namespace quarlink
