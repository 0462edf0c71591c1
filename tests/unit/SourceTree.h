// The source tree the tests read shipped files from: LUMISAT_SOURCE, which
// ctest sets as it does for the Wine tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

inline std::filesystem::path SourceFolder()
{
    const char* source = std::getenv("LUMISAT_SOURCE");
    if (!source)
        ADD_FAILURE() << "LUMISAT_SOURCE does not name the source tree (ctest sets it)";
    return source ? source : "";
}
