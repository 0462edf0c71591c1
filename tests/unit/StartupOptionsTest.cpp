#include "app/StartupOptions.h"

#include <gtest/gtest.h>

TEST(StartupOptions, TrayOnlyAsAnArgumentInAnyCase)
{
    const std::pair<const char*, bool> lines[] = {
        {"Lumisat.exe", false},
        {"\"C:\\Program Files\\Lumisat\\Lumisat.exe\" /tray", true},
        {"\"C:\\Program Files\\Lumisat\\Lumisat.exe\"  /TRAY ", true},
        {"C:\\Lumisat\\Lumisat.exe /other /Tray", true},
        {"\"C:\\tray /tray\\Lumisat.exe\"", false},   // inside the program's own path
        {"C:\\Lumisat.exe /trayicon", false},
        {"", false},
    };
    for (const auto& [line, tray] : lines)
        EXPECT_EQ(ParseStartupOptions(line).tray, tray) << line;
    EXPECT_EQ(StartWithWindowsCommand("C:\\Program Files\\Lumisat\\Lumisat.exe"),
              "\"C:\\Program Files\\Lumisat\\Lumisat.exe\" /tray");
}
