#include "tuning/TuningListParser.h"

#include "common/AnsiCase.h"
#include "common/BlankTrim.h"

#include <array>
#include <limits>

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
// Satellite frequencies above this are in Hz, below it in kHz: the valid
// ranges of the two units lie far apart.
constexpr std::uint64_t kSatelliteHzThreshold = 100'000'000;

// Calls `line` with each line and its 1-based number; CR LF, LF and a lone
// CR end a line.
template <typename LineFunction>
void ForEachLine(std::string_view text, LineFunction line)
{
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        line(++number, text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
}

// Digits only, saturating instead of overflowing.
std::optional<std::uint64_t> ReadNumber(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        value = value > (kSaturated - digit) / 10 ? kSaturated : value * 10 + digit;
    }
    return value;
}

std::uint32_t Saturate32(std::uint64_t value)
{
    return value > kUnreadValue ? kUnreadValue : static_cast<std::uint32_t>(value);
}

// value / divisor to the nearest whole unit.
std::uint32_t ScaleDown(std::uint64_t value, std::uint64_t divisor)
{
    const std::uint64_t half = divisor / 2;
    return Saturate32(value > kSaturated - half ? kSaturated : (value + half) / divisor);
}

std::uint32_t SatelliteMhz(std::uint64_t value)
{
    return value >= kSatelliteHzThreshold ? ScaleDown(value, 1'000'000) : ScaleDown(value, 1'000);
}

// "H" "V" "L" "R" or the words; circular polarisations are taken as the LNB
// supply takes them: left as horizontal, right as vertical.
std::optional<int> ReadPolarity(std::string_view text)
{
    static constexpr std::array<std::pair<std::string_view, int>, 8> kNames{{
        {"H", 1},
        {"V", 0},
        {"L", 1},
        {"R", 0},
        {"HORIZONTAL", 1},
        {"VERTICAL", 0},
        {"LEFT", 1},
        {"RIGHT", 0},
    }};
    for (const auto& [name, polarity] : kNames) {
        if (AnsiEqualNoCase(text, name))
            return polarity;
    }
    return std::nullopt;
}

// "QAM/64", "QAM64", "QAM_64" or "64"; "AUTO" in any of these forms.
std::optional<std::uint32_t> ReadQamSize(std::string_view text)
{
    if (text.size() >= 3 && AnsiEqualNoCase(text.substr(0, 3), "QAM")) {
        text.remove_prefix(3);
        if (!text.empty() && (text.front() == '/' || text.front() == '_'))
            text.remove_prefix(1);
    }
    if (AnsiEqualNoCase(text, "AUTO"))
        return kAutoValue;
    if (const auto size = ReadNumber(text))
        return Saturate32(*size);
    return std::nullopt;
}

// "8MHz" or "AUTO" in the one-line form; Hz or "AUTO" in the blocks. A value
// that is no whole number of MHz is kept as unread, outside every range.
std::optional<std::uint32_t> ReadBandwidth(std::string_view text, bool inHz)
{
    if (AnsiEqualNoCase(text, "AUTO"))
        return kAutoValue;
    if (!inHz) {
        if (text.size() < 3 || !AnsiEqualNoCase(text.substr(text.size() - 3), "MHz"))
            return std::nullopt;
        const auto mhz = ReadNumber(text.substr(0, text.size() - 3));
        return mhz ? std::optional<std::uint32_t>(Saturate32(*mhz)) : std::nullopt;
    }
    const auto hz = ReadNumber(text);
    if (!hz)
        return std::nullopt;
    return *hz % 1'000'000 == 0 ? Saturate32(*hz / 1'000'000) : kUnreadValue;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t end = text.find(separator);
        fields.push_back(Trim(text.substr(0, end)));
        if (end == std::string_view::npos)
            return fields;
        text.remove_prefix(end + 1);
    }
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool IsSection(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

std::string_view SectionName(std::string_view line) { return Trim(line.substr(1, line.size() - 2)); }

// Key and value of "key=value", both trimmed; nothing without "=".
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return std::make_pair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

bool IsCommentOrBlank(std::string_view line) { return line.empty() || line.front() == ';' || line.front() == '#'; }

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
    const auto frequency = ReadNumber(fields[0]);
    const auto polarity = ReadPolarity(fields[1]);
    const auto symbolRate = ReadNumber(fields[2]);
    if (!frequency || !polarity || !symbolRate)
        return;
    entry.frequency = Saturate32(*frequency);
    entry.polarity = *polarity;
    entry.symbolRate = Saturate32(*symbolRate);
    entry.readable = true;
}

std::optional<std::int32_t> ReadIniPosition(std::string_view text)
{
    const auto position = text.size() == 4 ? ReadNumber(text) : std::nullopt;
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
        const auto index = pair ? ReadNumber(pair->first) : std::nullopt;
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
    const auto frequency = ReadNumber(texts.frequency);
    if (!frequency)
        return false;
    switch (entry.family) {
    case DeliveryFamily::Satellite: {
        const auto polarity = ReadPolarity(texts.polarization);
        const auto symbolRate = ReadNumber(texts.symbolRate);
        if (!polarity || !symbolRate)
            return false;
        entry.frequency = SatelliteMhz(*frequency);
        entry.polarity = *polarity;
        entry.symbolRate = ScaleDown(*symbolRate, 1000);
        return true;
    }
    case DeliveryFamily::Cable: {
        const auto symbolRate = ReadNumber(texts.symbolRate);
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
           ReadNumber(words[1]).has_value();
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
