#include "setup/win/SystemInfFolder.h"

#include <windows.h>
#include <setupapi.h>

#include <vector>

namespace {

class CSystemInfFolder : public CInfFolder {
public:
    bool Exists(const char* path) override
    {
        const DWORD attributes = GetFileAttributesA(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    std::optional<std::string> ReadProvider(const char* path) override
    {
        const HINF inf = SetupOpenInfFileA(path, nullptr, INF_STYLE_WIN4, nullptr);
        if (inf == INVALID_HANDLE_VALUE)
            return std::nullopt;
        std::optional<std::string> provider = ReadVersionProvider(inf);
        SetupCloseInfFile(inf);
        return provider;
    }

    void ForceDelete(const char* path) override
    {
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    }

private:
    static std::optional<std::string> ReadVersionProvider(HINF inf)
    {
        DWORD size = 0;
        if (!SetupGetLineTextA(nullptr, inf, "Version", "Provider", nullptr, 0, &size) || size == 0)
            return std::nullopt;
        std::vector<char> text(size + 1, '\0');
        if (!SetupGetLineTextA(nullptr, inf, "Version", "Provider", text.data(), size, nullptr))
            return std::nullopt;
        return std::string(text.data());
    }
};

}   // namespace

CInfFolder& SystemInfFolder()
{
    static CSystemInfFolder folder;
    return folder;
}
