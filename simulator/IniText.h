// The simulator's own small .ini reader. It keeps every section and entry in
// file order, so repeated sections ([Transponder]) and repeated keys (Pid=)
// can carry lists, and it reports each line it could not read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarlink {

// Longer lines are dropped whole rather than cut, so that no half value is used.
constexpr std::size_t kMaxIniLineLength = 1024;

struct IniEntry {
    std::string key;
    std::string value;
    int line = 0;
};

struct IniSection {
    std::string name;
    int line = 0;
    std::vector<IniEntry> entries;
};

class IniText {
public:
    // Accepts CRLF, LF and bare CR line ends and a leading UTF-8 byte order mark.
    // Comment lines start with ";" or "#"; there are no comments after values.
    static IniText Parse(std::string_view text);

    const std::vector<IniSection>& Sections() const { return sections; }
    const std::vector<std::string>& Warnings() const { return warnings; }

    // The last entry for key in all sections called name (both without case), or null.
    const IniEntry* Find(std::string_view section, std::string_view key) const;
    // Sections called name, or name followed by a blank and a label ("Transponder 1").
    std::vector<const IniSection*> SectionsNamed(std::string_view name) const;
    // True when sectionName is name itself or name with a label.
    static bool IsNamed(std::string_view sectionName, std::string_view name);

private:
    void ParseLine(std::string_view line, int number);
    void Warn(int line, const std::string& message);

    std::vector<IniSection> sections;
    std::vector<std::string> warnings;
    bool inValidSection = false;
};

}   // namespace quarlink
