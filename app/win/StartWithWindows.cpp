#include "app/win/StartWithWindows.h"

#include "app/StartupOptions.h"

#include <windows.h>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Lumisat";

// The program's full path; empty when it does not fit a path buffer.
std::string ProgramPath()
{
    char module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module)
        return std::string();
    char full[MAX_PATH] = {};
    const DWORD fullLength = GetFullPathNameA(module, sizeof full, full, nullptr);
    return fullLength > 0 && fullLength < sizeof full ? std::string(full, fullLength) : std::string(module, length);
}

}   // namespace

bool StartsWithWindows()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    const bool present = RegQueryValueExA(key, kRunValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return present;
}

bool SetStartWithWindows(bool on)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = ERROR_SUCCESS;
    if (on) {
        const std::string path = ProgramPath();
        const std::string command = StartWithWindowsCommand(path);
        result = path.empty()
                     ? ERROR_FILENAME_EXCED_RANGE
                     : RegSetValueExA(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                      static_cast<DWORD>(command.size() + 1));
    } else {
        result = RegDeleteValueA(key, kRunValue);
        if (result == ERROR_FILE_NOT_FOUND)
            result = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
