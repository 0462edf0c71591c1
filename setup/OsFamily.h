// The operating-system families the installer helper tells apart. Only the
// Windows 98 / Me family matters: it keeps other makers' INF files elsewhere.
#pragma once

#include <optional>

enum OsFamily : int {
    kOsUnknownOrWin95 = 0,
    kOsWin98Family = 1,
    kOsWinNt4 = 2,
    kOsWin2000Family = 3,
};

// The fields of the system's version information that decide the family.
struct OsVersion {
    unsigned long platformId = 0;   // 1 Windows 9x, 2 NT
    unsigned long majorVersion = 0;
    unsigned long minorVersion = 0;
};

// Nothing means the version information could not be read. NT 6 and later
// fall into the Windows 98 / Me family, as the helper has always had it.
OsFamily ClassifyOsFamily(const std::optional<OsVersion>& version);
