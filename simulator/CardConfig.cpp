#include "simulator/CardConfig.h"

#include "simulator/IniValueReader.h"
#include "simulator/OnAirConfig.h"
#include "simulator/OrbitalPosition.h"

#include <climits>
#include <initializer_list>

namespace quarlink {

namespace {

constexpr double kMotorRange = 80.0;
constexpr std::uint32_t kLongestLockMs = 600000;

struct KnownSection {
    std::string_view name;
    bool repeated;   // a list of sections, each with an optional label
    std::initializer_list<std::string_view> keys;
};

const KnownSection kKnownSections[] = {
    {"Card", false, {"Kind", "DeviceType", "MAC", "NetMACEnable", "NetMAC", "LockTimeMs", "Seed"}},
    {"Signal",
     false,
     {"LockedStrength", "LockedQuality", "UnlockedStrength", "UnlockedQuality", "Noise", "ErrorPerMille",
      "LoseLockAfterPolls", "LoseLockTimes", "DataStopsAfterPolls", "DataStopsTimes"}},
    {"Site", false, {"Longitude", "Latitude"}},
    {"Motor", false, {"Angle", "DegreesPerSecond", "PointingTolerance"}},
    {"Switch", false, {"Direct", "LNB A", "LNB B", "LNB C", "LNB D"}},
    {"Log", false, {"File"}},
    {"Transponder", true, {"Satellite", "Frequency", "Polarity", "SymbolRate", "Strength", "Quality", "Pid"}},
    {"Channel", true, {"Frequency", "SymbolRate", "QAM", "Bandwidth", "Strength", "Quality", "Pid"}},
    {"Fault", true, {"Result", "DelayMs", "Skip", "Count"}},
};

const KnownSection* FindKnownSection(const IniSection& section)
{
    for (const KnownSection& known : kKnownSections) {
        const bool matches =
            known.repeated ? IniText::IsNamed(section.name, known.name) : EqualsNoCase(section.name, known.name);
        if (matches)
            return &known;
    }
    return nullptr;
}

// Typing mistakes in key and section names would otherwise pass unnoticed.
void WarnAboutUnknownNames(const IniText& ini, IniValueReader& reader, std::vector<std::string>& warnings)
{
    for (const IniSection& section : ini.Sections()) {
        const KnownSection* known = FindKnownSection(section);
        if (!known) {
            warnings.push_back("line " + std::to_string(section.line) + ": unknown section [" + section.name + "]");
            continue;
        }
        for (const IniEntry& entry : section.entries) {
            bool listed = false;
            for (std::string_view key : known->keys)
                listed = listed || EqualsNoCase(key, entry.key);
            if (!listed)
                reader.Warn(entry, "unknown key in [" + section.name + "]");
        }
    }
}

void ReadCard(const IniText& ini, IniValueReader& reader, CardConfig& config)
{
    reader.Integer(ini.Find("Card", "Kind"), config.ciInfo, INT_MIN, INT_MAX);
    reader.Integer(ini.Find("Card", "DeviceType"), config.deviceType, INT_MIN, INT_MAX);
    reader.Mac(ini.Find("Card", "MAC"), config.cardMac);
    bool netMacEnabled = false;
    MacAddress netMac = config.cardMac;
    reader.Flag(ini.Find("Card", "NetMACEnable"), netMacEnabled);
    reader.Mac(ini.Find("Card", "NetMAC"), netMac);
    config.netMac.enable = netMacEnabled ? 1 : 0;
    for (std::size_t i = 0; i < netMac.size(); ++i)
        config.netMac.address[i] = netMac[i];
    reader.Unsigned(ini.Find("Card", "LockTimeMs"), config.lockTimeMs, 0, kLongestLockMs);
    reader.Unsigned64(ini.Find("Card", "Seed"), config.seed);
}

void ReadSignal(const IniText& ini, IniValueReader& reader, SignalConfig& signal)
{
    reader.Integer(ini.Find("Signal", "LockedStrength"), signal.lockedStrength, -1000, 1000);
    reader.Integer(ini.Find("Signal", "LockedQuality"), signal.lockedQuality, -1000, 1000);
    reader.Integer(ini.Find("Signal", "UnlockedStrength"), signal.unlockedStrength, -1000, 1000);
    reader.Integer(ini.Find("Signal", "UnlockedQuality"), signal.unlockedQuality, -1000, 1000);
    reader.Integer(ini.Find("Signal", "Noise"), signal.noise, 0, 100);
    reader.Integer(ini.Find("Signal", "ErrorPerMille"), signal.errorPerMille, 0, 1000);
    reader.Unsigned(ini.Find("Signal", "LoseLockAfterPolls"), signal.loseLockAfterPolls, 0, UINT32_MAX);
    reader.Unsigned(ini.Find("Signal", "LoseLockTimes"), signal.loseLockTimes, 0, UINT32_MAX);
    reader.Unsigned(ini.Find("Signal", "DataStopsAfterPolls"), signal.dataStopsAfterPolls, 0, UINT32_MAX);
    reader.Unsigned(ini.Find("Signal", "DataStopsTimes"), signal.dataStopsTimes, 0, UINT32_MAX);
}

void ReadMotor(const IniText& ini, IniValueReader& reader, MotorConfig& motor)
{
    reader.Decimal(ini.Find("Site", "Longitude"), motor.siteLongitude, -180.0, 180.0);
    reader.Decimal(ini.Find("Site", "Latitude"), motor.siteLatitude, -90.0, 90.0);
    reader.Decimal(ini.Find("Motor", "Angle"), motor.startAngle, -kMotorRange, kMotorRange);
    reader.Decimal(ini.Find("Motor", "DegreesPerSecond"), motor.degreesPerSecond, 0.01, 1000.0);
    reader.Decimal(ini.Find("Motor", "PointingTolerance"), motor.pointingTolerance, 0.01, 10.0);
}

// An orbital position, "Motor" for the motorised dish, or "None" / empty for nothing.
void ReadDishFeed(const IniEntry* entry, IniValueReader& reader, int& target)
{
    if (!entry)
        return;
    if (entry->value.empty() || EqualsNoCase(entry->value, "None")) {
        target = kNoSatellite;
    } else if (EqualsNoCase(entry->value, "Motor")) {
        target = kMotorisedDish;
    } else if (const auto position = ParseOrbitalPosition(entry->value)) {
        target = *position;
    } else {
        reader.Warn(*entry, "not an orbital position (19.2E, 30.0W or tenths), Motor or None");
    }
}

void ReadSwitch(const IniText& ini, IniValueReader& reader, CardConfig& config)
{
    ReadDishFeed(ini.Find("Switch", "Direct"), reader, config.direct);
    constexpr std::string_view kInputs[kSwitchInputs] = {"LNB A", "LNB B", "LNB C", "LNB D"};
    bool anyInput = false;
    std::vector<int> inputs(kSwitchInputs, kNoSatellite);
    for (std::size_t i = 0; i < kSwitchInputs; ++i) {
        const IniEntry* entry = ini.Find("Switch", kInputs[i]);
        anyInput = anyInput || entry != nullptr;
        ReadDishFeed(entry, reader, inputs[i]);
    }
    if (anyInput)
        config.switchInputs = inputs;
}

}   // namespace

CardKind KindOfCiInfo(int ciInfo)
{
    if (ciInfo < 5)
        return CardKind::Satellite;
    return ciInfo == 7 ? CardKind::Terrestrial : CardKind::Cable;
}

CardConfig ReadCardConfig(std::string_view iniText)
{
    const IniText ini = IniText::Parse(iniText);
    CardConfig config;
    config.warnings = ini.Warnings();
    IniValueReader reader(config.warnings);
    WarnAboutUnknownNames(ini, reader, config.warnings);
    ReadCard(ini, reader, config);
    ReadSignal(ini, reader, config.signal);
    ReadMotor(ini, reader, config.motor);
    ReadSwitch(ini, reader, config);
    reader.Text(ini.Find("Log", "File"), config.logFile);
    config.carriers = ReadCarriers(ini, config.Kind(), reader);
    config.faults = ReadFaultRules(ini, reader);
    return config;
}

}   // namespace quarlink
