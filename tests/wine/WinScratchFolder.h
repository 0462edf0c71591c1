// A fresh folder under the Windows temporary folder, removed with its contents.
#pragma once

#include <windows.h>

#include <string>

class WinScratchFolder {
public:
    WinScratchFolder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        for (unsigned attempt = 0; attempt < 100 && root.empty(); ++attempt) {
            const std::string candidate = std::string(temp) + "lumisat-" + std::to_string(GetCurrentProcessId()) +
                                          "-" + std::to_string(GetTickCount() + attempt);
            if (CreateDirectoryA(candidate.c_str(), nullptr))
                root = candidate + "\\";
        }
    }
    ~WinScratchFolder()
    {
        if (root.empty())
            return;
        Remove(root);
    }
    WinScratchFolder(const WinScratchFolder&) = delete;
    WinScratchFolder& operator=(const WinScratchFolder&) = delete;

    bool Valid() const { return !root.empty(); }
    // The folder's path, ending in a backslash.
    const std::string& Path() const { return root; }
    std::string Path(const std::string& name) const { return root + name; }

    bool Write(const std::string& name, const std::string& bytes) const
    {
        HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == bytes.size();
    }

    std::string Read(const std::string& name) const
    {
        std::string bytes;
        HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return bytes;
        char chunk[4096];
        DWORD count = 0;
        while (ReadFile(file, chunk, sizeof chunk, &count, nullptr) && count > 0)
            bytes.append(chunk, count);
        CloseHandle(file);
        return bytes;
    }

private:
    static void Remove(const std::string& folder)
    {
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string path = folder + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(path + "\\");
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
    }

    std::string root;
};
