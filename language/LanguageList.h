// The languages found in the "Language" folder, and the paths of language files.
#pragma once

#include <string>
#include <vector>

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
};

// Lists the entries that match a file pattern such as "C:\x\Language\*.txt",
// in the order the file system returns them. Windows: FindFileLister.
class DirectoryLister {
public:
    virtual ~DirectoryLister() = default;
    virtual std::vector<DirectoryEntry> List(const std::string& pattern) const = 0;
};

struct LanguageList {
    std::vector<std::string> names;   // in listing order, for an unsorted combo box
    int selectedIndex = -1;           // the current language's item, -1 when absent
    std::string languageFilePath;     // the current language's file, to apply
};

// "<path>Language\<name>.txt" and the temporary copy "<path>Language\<name>.txt.tmp".
// The installation path is used as it stands (it ends in a backslash).
std::string LanguageFilePath(const std::string& installationPath, const std::string& languageName);
std::string TemporaryLanguageFilePath(const std::string& installationPath, const std::string& languageName);

// Lists "<path>Language\*.txt", adding the backslash that the installation
// path may lack. Each file named "<name>.txt" gives the language <name>
// ("a.b.txt" gives "a.b"); directories, names that do not end in ".txt"
// (short-name matches) and ".txt" alone are left out. The current language is
// selected when it is listed (compared case-insensitively). With an empty
// installation path nothing is listed.
LanguageList FillLanguageList(const std::string& installationPath, const std::string& currentLanguage,
                              const DirectoryLister& lister);

// Deletes the temporary copy if it exists; a missing file is no error.
void DeleteTemporaryLanguageFile(const std::string& installationPath, const std::string& languageName);
