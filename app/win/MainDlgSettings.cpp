// The main dialog's settings in the registry and its banner.
#include "app/InstallPaths.h"
#include "app/win/MainDlg.h"
#include "app/win/RegistryKey.h"

namespace {
std::string CurrentDirectory()
{
    char buffer[512] = {};
    DWORD length = GetCurrentDirectoryA(sizeof(buffer), buffer);
    if (length == 0 || length >= sizeof(buffer))
        return std::string();
    return std::string(buffer, length);
}
}

void CMainDlg::CopyInstallPath()
{
    CRegistryKey machineKey;
    machineKey.Open(HKEY_LOCAL_MACHINE, kSettingsKeyPath, KEY_READ);
    CRegistryKey userKey;
    userKey.Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_WRITE);
    ::CopyInstallationPath(machineKey, userKey, session.Settings());
}

void CMainDlg::LoadSettings()
{
    CRegistryKey key;
    key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_READ);
    ::LoadSettings(key, session.GetDeviceKind(), CurrentDirectory(), session.Settings());
}

bool CMainDlg::SaveSettings()
{
    CRegistryKey key;
    const bool opened = key.Open(SettingsRootKey(), kSettingsKeyPath, KEY_WRITE) == ERROR_SUCCESS;
    return ::SaveSettings(key, session.GetDeviceKind(), session.Database(), session.Settings()) && opened;
}

std::string CMainDlg::SettingsKeyName() const
{
    const char* hive = SettingsRootKey() == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
    return hive + std::string(kSettingsKeyPath);
}

void CMainDlg::LoadBanner()
{
    const std::string file = InstallFilePath(session.Settings().installationPath, "Main.bmp");
    if (file.empty())
        return;
    HANDLE image = LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (image == nullptr)
        return;   // the built-in banner stays
    bannerBitmap = static_cast<HBITMAP>(image);
    bannerPicture.SetBitmap(bannerBitmap);
}
