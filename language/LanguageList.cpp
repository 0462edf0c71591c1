#include "language/LanguageList.h"

#include "common/AnsiCase.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr std::string_view kExtension = ".txt";

std::string WithFinalBackslash(std::string path)
{
    if (!path.empty() && path.back() != '\\')
        path.push_back('\\');
    return path;
}

// The language a directory entry stands for, or an empty name when it is none.
std::string LanguageOf(const DirectoryEntry& entry)
{
    const std::string_view name = entry.name;
    if (entry.isDirectory || name == "." || name == ".." || name.size() <= kExtension.size())
        return std::string();
    const std::string_view base = name.substr(0, name.size() - kExtension.size());
    if (!AnsiEqualNoCase(name.substr(base.size()), kExtension))
        return std::string();
    return std::string(base);
}

}   // namespace

std::string LanguageFilePath(const std::string& installationPath, const std::string& languageName)
{
    return installationPath + "Language\\" + languageName + std::string(kExtension);
}

std::string TemporaryLanguageFilePath(const std::string& installationPath, const std::string& languageName)
{
    return LanguageFilePath(installationPath, languageName) + ".tmp";
}

LanguageList FillLanguageList(const std::string& installationPath, const std::string& currentLanguage,
                              const DirectoryLister& lister)
{
    LanguageList list;
    const std::string path = WithFinalBackslash(installationPath);
    if (!path.empty()) {
        for (const DirectoryEntry& entry : lister.List(path + "Language\\*.txt")) {
            std::string language = LanguageOf(entry);
            if (language.empty())
                continue;
            if (AnsiEqualNoCase(language, currentLanguage))
                list.selectedIndex = static_cast<int>(list.names.size());
            list.names.push_back(std::move(language));
        }
    }
    list.languageFilePath = LanguageFilePath(path, currentLanguage);
    return list;
}

void DeleteTemporaryLanguageFile(const std::string& installationPath, const std::string& languageName)
{
    std::remove(TemporaryLanguageFilePath(installationPath, languageName).c_str());
}
