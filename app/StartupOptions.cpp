#include "app/StartupOptions.h"

#include "common/AnsiCase.h"

namespace {

// The command line after the program's name, which may be quoted.
std::string_view Arguments(std::string_view line)
{
    std::size_t at = 0;
    while (at < line.size() && line[at] == ' ')
        ++at;
    if (at < line.size() && line[at] == '"') {
        const std::size_t close = line.find('"', at + 1);
        at = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        const std::size_t blank = line.find(' ', at);
        at = blank == std::string_view::npos ? line.size() : blank;
    }
    return line.substr(at);
}

}   // namespace

StartupOptions ParseStartupOptions(std::string_view commandLine)
{
    StartupOptions options;
    std::string_view rest = Arguments(commandLine);
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of(" \t");
        if (start == std::string_view::npos)
            break;
        rest.remove_prefix(start);
        const std::size_t end = rest.find_first_of(" \t");
        const std::string_view word = rest.substr(0, end);
        if (AnsiEqualNoCase(word, "/tray"))
            options.tray = true;
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    return options;
}

std::string StartWithWindowsCommand(const std::string& programPath) { return "\"" + programPath + "\" /tray"; }
