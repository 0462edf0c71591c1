#include "simulator/IniText.h"

#include "simulator/ConfigValues.h"

#include "common/BlankTrim.h"

namespace quarlink {

namespace {

bool HasControlCharacter(std::string_view line)
{
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F)
            return true;
    }
    return false;
}

}   // namespace

IniText IniText::Parse(std::string_view text)
{
    IniText ini;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    int number = 1;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        ini.ParseLine(text.substr(0, end), number++);
        if (end == std::string_view::npos)
            break;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return ini;
}

void IniText::ParseLine(std::string_view line, int number)
{
    if (line.size() > kMaxIniLineLength) {
        Warn(number, "longer than " + std::to_string(kMaxIniLineLength) + " characters, ignored");
        return;
    }
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return;
    if (HasControlCharacter(line)) {
        Warn(number, "control characters, ignored");
        return;
    }
    if (line.front() == '[') {
        const std::string_view name = line.back() == ']' ? Trim(line.substr(1, line.size() - 2)) : std::string_view();
        inValidSection = !name.empty();
        if (inValidSection)
            sections.push_back({std::string(name), number, {}});
        else
            Warn(number, "bad section header; its entries are ignored");
        return;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        Warn(number, "not a \"key = value\" line, ignored");
        return;
    }
    if (!inValidSection) {
        Warn(number, "entry outside a valid section, ignored");
        return;
    }
    sections.back().entries.push_back(
        {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))), number});
}

void IniText::Warn(int line, const std::string& message)
{
    warnings.push_back("line " + std::to_string(line) + ": " + message);
}

const IniEntry* IniText::Find(std::string_view section, std::string_view key) const
{
    const IniEntry* found = nullptr;
    for (const IniSection& candidate : sections) {
        if (!EqualsNoCase(candidate.name, section))
            continue;
        for (const IniEntry& entry : candidate.entries) {
            if (EqualsNoCase(entry.key, key))
                found = &entry;
        }
    }
    return found;
}

std::vector<const IniSection*> IniText::SectionsNamed(std::string_view name) const
{
    std::vector<const IniSection*> named;
    for (const IniSection& section : sections) {
        if (IsNamed(section.name, name))
            named.push_back(&section);
    }
    return named;
}

bool IniText::IsNamed(std::string_view sectionName, std::string_view name)
{
    if (EqualsNoCase(sectionName, name))
        return true;
    return sectionName.size() > name.size() && sectionName[name.size()] == ' ' &&
           EqualsNoCase(sectionName.substr(0, name.size()), name);
}

}   // namespace quarlink
