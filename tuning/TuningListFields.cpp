#include "tuning/TuningListFields.h"

#include "common/AnsiCase.h"
#include "common/BlankTrim.h"
#include "common/DecimalText.h"

#include <array>
#include <limits>

namespace tuning_list {

namespace {
constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
// Satellite frequencies above this are in Hz, below it in kHz: the valid
// ranges of the two units lie far apart.
constexpr std::uint64_t kSatelliteHzThreshold = 100'000'000;
}   // namespace

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
    if (const auto size = ParseDigits64(text))
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
        const auto mhz = ParseDigits64(text.substr(0, text.size() - 3));
        return mhz ? std::optional<std::uint32_t>(Saturate32(*mhz)) : std::nullopt;
    }
    const auto hz = ParseDigits64(text);
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

}   // namespace tuning_list
