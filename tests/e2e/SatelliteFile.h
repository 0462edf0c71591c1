// Satellite database files for the scenarios, written byte by byte from the
// file layout (32-bit little-endian integers, zero-filled name fields), so
// that what the program saved is checked independently of its own writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FilePid {
    std::int32_t pid = 0;
    std::int32_t loaded = 0;
    std::int32_t type = 2;
};

struct FileTransponder {
    std::string name;
    std::int32_t frequency = 0;
    std::int32_t symbolRate = 0;
    std::int32_t polarity = 0;
    std::vector<FilePid> pids;
};

struct FileSatellite {
    std::string name;
    std::int32_t degree = 0;
    std::int32_t lnbFreq1 = 9750;
    std::int32_t lnbFreq2 = 10600;
    std::int32_t tone22k = 0;
    std::int32_t diseqcPort = 0;
    std::int32_t dishType = 0;
    std::int32_t lnbPower = 1;
    std::int32_t lnbType = 1;
    std::vector<FileTransponder> transponders;
};

std::string SatelliteFileBytes(const std::vector<FileSatellite>& satellites);
