#include "app/InstallPaths.h"

#include "common/CardKind.h"
#include "common/FileIo.h"

std::string InstallFilePath(const std::string& installPath, const std::string& name)
{
    std::string path = installPath + name;
    if (path.size() > kLongestFilePath)
        return std::string();
    return path;
}

std::string HelpFilePath(const std::string& installPath, const std::string& language)
{
    return InstallFilePath(installPath, "Help\\" + language + ".chm");
}

std::string WithTrailingBackslash(const std::string& path)
{
    if (path.empty() || path.back() == '\\')
        return path;
    return path + "\\";
}

std::string DatabaseFilePath(const std::string& installPath, int deviceKind)
{
    if (IsSatelliteCard(deviceKind))
        return InstallFilePath(installPath, "satedata.dll");
    if (IsTerrestrialCard(deviceKind))
        return InstallFilePath(installPath, "DTTdata.dll");
    return InstallFilePath(installPath, "cabledata.dll");
}

std::vector<std::string> TabCaptions(int deviceKind)
{
    if (IsSatelliteCard(deviceKind))
        return {"LNB && Switch", "Dish Setting", "Filter    "};
    if (IsTerrestrialCard(deviceKind))
        return {"Terrestrial Setting", "Filter    "};
    return {"Cable Setting", "Filter    "};
}
