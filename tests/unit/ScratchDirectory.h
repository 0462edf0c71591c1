// A fresh folder for a test's files under the system's temporary folder,
// removed with everything in it, read-only files included. Both the native
// and the Windows tests use it.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::error_code error;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; attempt < 100 && root.empty() && !error; ++attempt) {
            const std::filesystem::path candidate = temp / ("lumisat-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error))
                root = candidate;
        }
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        if (root.empty())
            return;
        std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    bool Valid() const { return !root.empty(); }
    // The folder with a final separator, or a name's path in it.
    std::string Path(const std::string& name = "") const { return (root / name).string(); }

    bool Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(Path(name), std::ios::binary);
        return static_cast<bool>(out << bytes);
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path root;
};
