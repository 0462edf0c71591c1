#include "setup/OsFamily.h"

namespace {

constexpr unsigned long kPlatformWin9x = 1;
constexpr unsigned long kPlatformNt = 2;

OsFamily ClassifyWin9x(const OsVersion& version)
{
    const bool after95 = version.majorVersion > 4 || (version.majorVersion == 4 && version.minorVersion > 0);
    return after95 ? kOsWin98Family : kOsUnknownOrWin95;
}

OsFamily ClassifyNt(const OsVersion& version)
{
    if (version.majorVersion >= 6)
        return kOsWin98Family;
    if (version.majorVersion == 5)
        return kOsWin2000Family;
    return kOsWinNt4;
}

}   // namespace

OsFamily ClassifyOsFamily(const std::optional<OsVersion>& version)
{
    if (!version)
        return kOsUnknownOrWin95;
    switch (version->platformId) {
    case kPlatformWin9x: return ClassifyWin9x(*version);
    case kPlatformNt: return ClassifyNt(*version);
    default: return kOsUnknownOrWin95;
    }
}
