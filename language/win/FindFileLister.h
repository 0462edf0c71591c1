// Directory listing with FindFirstFileA / FindNextFileA.
#pragma once

#include "language/LanguageList.h"

class FindFileLister : public DirectoryLister {
public:
    std::vector<DirectoryEntry> List(const std::string& pattern) const override;
};
