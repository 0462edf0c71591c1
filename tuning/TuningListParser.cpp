#include "tuning/TuningListParser.h"

#include "tuning/TuningListFields.h"

#include "common/AnsiCase.h"
#include "common/BlankTrim.h"

namespace {

using namespace tuning_list;

// --- satellite INI lists ---

bool IsSatelliteSystemName(std::string_view system)
{
    static constexpr std::string_view kNames[] = {"", "S", "S2", "DVB-S", "DVB-S2", "DVBS", "DVBS2"};
    for (std::string_view name : kNames) {
        if (AnsiEqualNoCase(system, name))
            return true;
    }
    return false;
}

// frequency,polarisation,symbol rate[,FEC[,system[,modulation]]]
void ReadIniTransponder(std::string_view value, ListedEntry& entry)
{
    const std::vector<std::string_view> fields = Split(value, ',');
    if (fields.size() < 3 || (fields.size() > 4 && !IsSatelliteSystemName(fields[4])))
        return;
    const auto frequency = ParseDigits64(fields[0]);
    const auto polarity = ReadPolarity(fields[1]);
    const auto symbolRate = ParseDigits64(fields[2]);
    if (!frequency || !polarity || !symbolRate)
        return;
    entry.frequency = Saturate32(*frequency);
    entry.polarity = *polarity;
    entry.symbolRate = Saturate32(*symbolRate);
    entry.readable = true;
}

std::optional<std::int32_t> ReadIniPosition(std::string_view text)
{
    const auto position = text.size() == 4 ? ParseDigits64(text) : std::nullopt;
    return position ? std::optional<std::int32_t>(static_cast<std::int32_t>(*position)) : std::nullopt;
}

void ParseSatelliteIni(std::string_view text, ParsedList& list)
{
    std::string_view section;
    ForEachLine(text, [&](std::size_t number, std::string_view raw) {
        const std::string_view line = Trim(raw);
        if (IsCommentOrBlank(line))
            return;
        if (IsSection(line)) {
            section = SectionName(line);
            return;
        }
        const auto pair = KeyValue(line);
        if (AnsiEqualNoCase(section, "SATTYPE")) {
            if (pair && pair->first == "1")
                list.degree = ReadIniPosition(pair->second);
            else if (pair && pair->first == "2")
                list.satelliteName = std::string(pair->second);
            return;
        }
        if (!AnsiEqualNoCase(section, "DVB"))
            return;
        const auto index = pair ? ParseDigits64(pair->first) : std::nullopt;
        if (index && *index == 0)
            return;   // the count: real files often get it wrong, the lines decide
        ListedEntry entry;
        entry.line = number;
        entry.family = DeliveryFamily::Satellite;
        if (index)
            ReadIniTransponder(pair->second, entry);
        list.entries.push_back(std::move(entry));
    });
}

// --- channel blocks ---

DeliveryFamily FamilyOfSystem(std::string_view system)
{
    static constexpr std::pair<std::string_view, DeliveryFamily> kSystems[] = {
        {"DVBS", DeliveryFamily::Satellite},     {"DVBS2", DeliveryFamily::Satellite},
        {"DVBC/ANNEX_A", DeliveryFamily::Cable}, {"DVBT", DeliveryFamily::Terrestrial},
        {"DVBT2", DeliveryFamily::Terrestrial},  {"DVBC/ANNEX_B", DeliveryFamily::Other},
        {"DVBC/ANNEX_C", DeliveryFamily::Other}, {"DVBC2", DeliveryFamily::Other},
        {"ATSC", DeliveryFamily::Other},         {"ATSCMH", DeliveryFamily::Other},
        {"ISDBT", DeliveryFamily::Other},        {"ISDBS", DeliveryFamily::Other},
        {"ISDBC", DeliveryFamily::Other},        {"DTMB", DeliveryFamily::Other},
        {"DSS", DeliveryFamily::Other},          {"TURBO", DeliveryFamily::Other},
        {"DVBH", DeliveryFamily::Other},         {"CMMB", DeliveryFamily::Other},
        {"DAB", DeliveryFamily::Other},
    };
    for (const auto& [name, family] : kSystems) {
        if (AnsiEqualNoCase(system, name))
            return family;
    }
    return DeliveryFamily::Unknown;
}

// The texts of an entry's tuning values, as either form gives them.
struct TuningTexts {
    std::string_view frequency, polarization, symbolRate, modulation, bandwidth;
    bool bandwidthInHz = true;   // BANDWIDTH_HZ; the one-line form writes "8MHz"
};

// Satellite frequencies in kHz (or Hz, see SatelliteMhz), cable and
// terrestrial ones in Hz, symbol rates in symbols per second. A missing
// modulation or bandwidth is "Auto".
bool ReadTuningValues(const TuningTexts& texts, ListedEntry& entry)
{
    const auto frequency = ParseDigits64(texts.frequency);
    if (!frequency)
        return false;
    switch (entry.family) {
    case DeliveryFamily::Satellite: {
        const auto polarity = ReadPolarity(texts.polarization);
        const auto symbolRate = ParseDigits64(texts.symbolRate);
        if (!polarity || !symbolRate)
            return false;
        entry.frequency = SatelliteMhz(*frequency);
        entry.polarity = *polarity;
        entry.symbolRate = ScaleDown(*symbolRate, 1000);
        return true;
    }
    case DeliveryFamily::Cable: {
        const auto symbolRate = ParseDigits64(texts.symbolRate);
        const auto qam = texts.modulation.empty() ? kAutoValue : ReadQamSize(texts.modulation);
        if (!symbolRate || !qam)
            return false;
        entry.frequency = ScaleDown(*frequency, 1000);
        entry.symbolRate = ScaleDown(*symbolRate, 1000);
        entry.qamSize = *qam;
        return true;
    }
    case DeliveryFamily::Terrestrial: {
        const auto bandwidth =
            texts.bandwidth.empty() ? kAutoValue : ReadBandwidth(texts.bandwidth, texts.bandwidthInHz);
        if (!bandwidth)
            return false;
        entry.frequency = ScaleDown(*frequency, 1000);
        entry.bandwidth = *bandwidth;
        return true;
    }
    default: return false;
    }
}

struct ChannelBlock {
    std::size_t line = 0;
    std::string_view name;
    bool broken = false;   // a line that is no "KEY = value"
    std::string_view system;
    TuningTexts values;
};

void StoreBlockValue(ChannelBlock& block, std::string_view key, std::string_view value)
{
    static constexpr std::pair<std::string_view, std::string_view TuningTexts::*> kKeys[] = {
        {"FREQUENCY", &TuningTexts::frequency},    {"POLARIZATION", &TuningTexts::polarization},
        {"SYMBOL_RATE", &TuningTexts::symbolRate}, {"MODULATION", &TuningTexts::modulation},
        {"BANDWIDTH_HZ", &TuningTexts::bandwidth},
    };
    if (AnsiEqualNoCase(key, "DELIVERY_SYSTEM"))
        block.system = value;
    for (const auto& [name, field] : kKeys) {
        if (AnsiEqualNoCase(key, name))
            block.values.*field = value;
    }
}

ListedEntry EntryOfBlock(const ChannelBlock& block)
{
    ListedEntry entry;
    entry.line = block.line;
    entry.name = std::string(block.name);
    entry.family = FamilyOfSystem(block.system);
    entry.readable = !block.broken && ReadTuningValues(block.values, entry);
    return entry;
}

void ParseChannelBlocks(std::string_view text, ParsedList& list)
{
    std::optional<ChannelBlock> block;
    ForEachLine(text, [&](std::size_t number, std::string_view raw) {
        const std::string_view line = Trim(raw);
        if (IsCommentOrBlank(line))
            return;
        if (IsSection(line)) {
            if (block)
                list.entries.push_back(EntryOfBlock(*block));
            block.emplace();
            block->line = number;
            block->name = SectionName(line);
            return;
        }
        if (!block)
            return;
        if (const auto pair = KeyValue(line))
            StoreBlockValue(*block, pair->first, pair->second);
        else
            block->broken = true;
    });
    if (block)
        list.entries.push_back(EntryOfBlock(*block));
}

// --- one transponder per line ---

DeliveryFamily FamilyOfLineKind(std::string_view kind)
{
    if (kind == "S" || kind == "S1" || kind == "S2")
        return DeliveryFamily::Satellite;
    if (kind == "C")
        return DeliveryFamily::Cable;
    if (kind == "T" || kind == "T2")
        return DeliveryFamily::Terrestrial;
    if (kind == "A")
        return DeliveryFamily::Other;
    return DeliveryFamily::Unknown;
}

bool ReadLineValues(const std::vector<std::string_view>& words, ListedEntry& entry)
{
    // "T2 plp frequency bandwidth ...": the data stream's number comes first.
    const std::size_t first = words[0] == "T2" ? 2 : 1;
    const auto field = [&](std::size_t i) { return first + i < words.size() ? words[first + i] : std::string_view(); };
    TuningTexts texts;
    texts.frequency = field(0);
    texts.bandwidthInHz = false;
    switch (entry.family) {
    case DeliveryFamily::Satellite:   // S frequency polarisation rate fec
        texts.polarization = field(1);
        texts.symbolRate = field(2);
        break;
    case DeliveryFamily::Cable:   // C frequency rate fec modulation
        texts.symbolRate = field(1);
        texts.modulation = field(3);
        break;
    case DeliveryFamily::Terrestrial:   // T frequency bandwidth ...
        texts.bandwidth = field(1);
        if (texts.bandwidth.empty())
            return false;
        break;
    default: return false;
    }
    return ReadTuningValues(texts, entry);
}

void ParseTransponderLines(std::string_view text, ParsedList& list)
{
    ForEachLine(text, [&](std::size_t number, std::string_view raw) {
        const std::string_view line = Trim(raw);
        if (IsCommentOrBlank(line))
            return;
        const std::vector<std::string_view> words = Words(line);
        ListedEntry entry;
        entry.line = number;
        entry.family = FamilyOfLineKind(words[0]);
        entry.readable = ReadLineValues(words, entry);
        list.entries.push_back(std::move(entry));
    });
}

// --- recognising the form ---

bool IsTransponderLine(std::string_view line)
{
    const std::vector<std::string_view> words = Words(line);
    return words.size() >= 3 && FamilyOfLineKind(words[0]) != DeliveryFamily::Unknown &&
           ParseDigits64(words[1]).has_value();
}

ListFormat RecogniseFormat(std::string_view text)
{
    bool satelliteIni = false;
    bool channelBlocks = false;
    bool transponderLines = false;
    ForEachLine(text, [&](std::size_t, std::string_view raw) {
        const std::string_view line = Trim(raw);
        if (IsSection(line)) {
            satelliteIni = satelliteIni || AnsiEqualNoCase(SectionName(line), "DVB") ||
                           AnsiEqualNoCase(SectionName(line), "SATTYPE");
        } else if (const auto pair = KeyValue(line)) {
            channelBlocks = channelBlocks || AnsiEqualNoCase(pair->first, "DELIVERY_SYSTEM");
        } else if (!IsCommentOrBlank(line)) {
            transponderLines = transponderLines || IsTransponderLine(line);
        }
    });
    if (satelliteIni)
        return ListFormat::SatelliteIni;
    if (channelBlocks)
        return ListFormat::ChannelBlocks;
    return transponderLines ? ListFormat::TransponderLines : ListFormat::Unknown;
}

}   // namespace

ParsedList ParseTuningList(std::string_view text)
{
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        text.remove_prefix(kUtf8Mark.size());
    ParsedList list;
    list.format = RecogniseFormat(text);
    switch (list.format) {
    case ListFormat::SatelliteIni: ParseSatelliteIni(text, list); break;
    case ListFormat::ChannelBlocks: ParseChannelBlocks(text, list); break;
    case ListFormat::TransponderLines: ParseTransponderLines(text, list); break;
    case ListFormat::Unknown: break;
    }
    list.satelliteName = std::string(Trim(list.satelliteName));
    return list;
}
