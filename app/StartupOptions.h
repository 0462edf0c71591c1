// What the program is started with. Without arguments it shows its main
// dialog, as always; "/tray" (the start with Windows) runs every start-up
// step but leaves the dialog hidden behind its notification-area icon.
#pragma once

#include <string>
#include <string_view>

struct StartupOptions {
    bool tray = false;
};

// The arguments after the program's own name on a Windows command line;
// "/tray" counts in any letter case, other words are ignored.
StartupOptions ParseStartupOptions(std::string_view commandLine);

// The "Run" value that starts the program with Windows: its quoted path and "/tray".
std::string StartWithWindowsCommand(const std::string& programPath);
