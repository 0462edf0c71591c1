#include "setup/win/OsVersion.h"

#include <windows.h>

static_assert(sizeof(OSVERSIONINFOEXA) == 156 && sizeof(OSVERSIONINFOA) == 148);

namespace {

OsVersion FromInfo(const OSVERSIONINFOA& info) { return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion}; }

// Systems before NT 4 SP6 refuse the extended structure; the basic one then.
std::optional<OsVersion> ReadOsVersion()
{
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)))
        return FromInfo(*reinterpret_cast<OSVERSIONINFOA*>(&extended));
    OSVERSIONINFOA basic = {};
    basic.dwOSVersionInfoSize = sizeof basic;
    if (GetVersionExA(&basic))
        return FromInfo(basic);
    return std::nullopt;
}

}   // namespace

OsFamily GetOsFamily() { return ClassifyOsFamily(ReadOsVersion()); }
