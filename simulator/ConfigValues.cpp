#include "simulator/ConfigValues.h"

#include "common/BlankTrim.h"

#include <charconv>
#include <cmath>

namespace quarlink {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::optional<int> HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

}   // namespace

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

std::optional<long long> ParseInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && Lower(text[1]) == 'x') {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> ParseDecimal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9')))
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<MacAddress> ParseMac(std::string_view text)
{
    if (text.size() != 17)
        return std::nullopt;
    MacAddress mac{};
    for (std::size_t i = 0; i < mac.size(); ++i) {
        const std::size_t at = i * 3;
        const auto high = HexDigit(text[at]);
        const auto low = HexDigit(text[at + 1]);
        if (!high || !low)
            return std::nullopt;
        if (i + 1 < mac.size() && text[at + 2] != '-' && text[at + 2] != ':')
            return std::nullopt;
        mac[i] = static_cast<std::uint8_t>(*high * 16 + *low);
    }
    return mac;
}

std::optional<int> ParsePolarity(std::string_view text)
{
    if (EqualsNoCase(text, "V") || EqualsNoCase(text, "R"))
        return 0;
    if (EqualsNoCase(text, "H") || EqualsNoCase(text, "L"))
        return 1;
    return std::nullopt;
}

std::optional<bool> ParseSwitch(std::string_view text)
{
    for (const char* yes : {"1", "yes", "on", "true"}) {
        if (EqualsNoCase(text, yes))
            return true;
    }
    for (const char* no : {"0", "no", "off", "false"}) {
        if (EqualsNoCase(text, no))
            return false;
    }
    return std::nullopt;
}

std::vector<std::string_view> SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || IsBlank(text[i]) || text[i] == ',';
        if (!separator)
            continue;
        if (i > start)
            words.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    return words;
}

}   // namespace quarlink
