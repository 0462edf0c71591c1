// The fields of the tuning lists users keep for other tools: numbers read
// saturating, polarisations, QAM sizes and bandwidths in their several
// spellings, and the lines, sections and "key=value" pairs they come in.
#pragma once

#include "common/DecimalText.h"
#include "tuning/TuningListParser.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tuning_list {

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

std::uint32_t Saturate32(std::uint64_t value);
// value / divisor to the nearest whole unit.
std::uint32_t ScaleDown(std::uint64_t value, std::uint64_t divisor);
// A satellite frequency in MHz from one given in Hz or kHz.
std::uint32_t SatelliteMhz(std::uint64_t value);
// "H" "V" "L" "R" or the words; circular polarisations are taken as the LNB
// supply takes them: left as horizontal, right as vertical.
std::optional<int> ReadPolarity(std::string_view text);
// "QAM/64", "QAM64", "QAM_64" or "64"; "AUTO" in any of these forms.
std::optional<std::uint32_t> ReadQamSize(std::string_view text);
// "8MHz" or "AUTO" in the one-line form; Hz or "AUTO" in the blocks. A value
// that is no whole number of MHz is kept as unread, outside every range.
std::optional<std::uint32_t> ReadBandwidth(std::string_view text, bool inHz);

// The fields between the separators, each trimmed.
std::vector<std::string_view> Split(std::string_view text, char separator);
// The words between blanks.
std::vector<std::string_view> Words(std::string_view text);
bool IsSection(std::string_view line);
std::string_view SectionName(std::string_view line);
// Key and value of "key=value", both trimmed; nothing without "=".
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line);
bool IsCommentOrBlank(std::string_view line);

}   // namespace tuning_list
