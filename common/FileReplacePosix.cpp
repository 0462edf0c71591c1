#include "common/FileReplace.h"

#include <cstdio>
#include <sys/stat.h>

bool MakeFileWritable(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return false;
    return chmod(path.c_str(), status.st_mode | S_IRUSR | S_IWUSR) == 0;
}

bool ReplaceFileAtomically(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}
