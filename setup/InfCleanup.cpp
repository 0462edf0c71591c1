#include "setup/InfCleanup.h"

#include "setup/OsFamily.h"

#include <cstdio>

namespace {

bool FitsOrEmpty(char (&name)[kInfNameChars], int length)
{
    if (length >= 0 && static_cast<std::size_t>(length) < kInfNameChars)
        return true;
    name[0] = '\0';
    return false;
}

// Where the Windows 98 / Me family puts the receiver's INF file.
void DeleteOtherMakersCopy(CInfFolder& folder, const char* infDirectory)
{
    char name[kInfNameChars];
    if (FitsOrEmpty(name, std::snprintf(name, sizeof name, "%s\\other\\DOZIzo~1.inf", infDirectory)))
        folder.ForceDelete(name);
}

}   // namespace

bool IsReceiverInfProvider(std::string_view provider) { return provider == kReceiverInfProvider; }

bool FormatOemFileName(char (&name)[kInfNameChars], const char* directory, int n, const char* extension)
{
    return FitsOrEmpty(name, std::snprintf(name, sizeof name, "%s\\oem%d.%s", directory, n, extension));
}

bool DeleteReceiverInfFiles(CInfFolder& folder, const char* infDirectory, int osFamily)
{
    for (int n = 0; n <= kLastOemInfNumber; ++n) {
        char infName[kInfNameChars];
        if (!FormatOemFileName(infName, infDirectory, n, "inf") || !folder.Exists(infName))
            continue;
        const std::optional<std::string> provider = folder.ReadProvider(infName);
        if (!provider || !IsReceiverInfProvider(*provider))
            continue;

        folder.ForceDelete(infName);
        char pnfName[kInfNameChars];
        if (FormatOemFileName(pnfName, infDirectory, n, "PNF"))
            folder.ForceDelete(pnfName);
        return true;
    }
    if (osFamily == kOsWin98Family)
        DeleteOtherMakersCopy(folder, infDirectory);
    return false;
}
