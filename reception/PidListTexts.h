// What the PID list shows: its columns and, per PidRecord, the texts of the
// three cells and the image of the row.
#pragma once

#include "database/ChannelRecords.h"

#include <array>
#include <string>

constexpr int kPidColumn = 0;
constexpr int kTypeColumn = 1;
constexpr int kMacColumn = 2;
constexpr int kLoadedImage = 0;      // green square with a white ring
constexpr int kNotLoadedImage = 1;   // red square with a white cross
constexpr int kRefusedImage = 2;     // yellow square with an exclamation mark
// Grid lines and full-row selection.
constexpr unsigned kPidListExtendedStyle = 0x21;

inline constexpr const char* kUnknownMacText = "Unknown";

struct PidColumn {
    const char* title;   // English
    int width;
    const char* titleKey;   // language key of the title
};

// The three columns for a list whose client area is clientWidth wide.
std::array<PidColumn, 3> PidColumns(int clientWidth);

// Lower-case hexadecimal without prefix or leading zeros: 8190 is "1ffe".
std::string PidHexText(std::int32_t pid);

// "data pipe", "data streamin", "MPE data", "Data Streaming PES 1" for the
// codes 0 to 3; an empty text for any other code.
const char* PidTypeName(std::int32_t type);

// The record's name, or "Unknown" when it is empty. The name field may come
// from a file without its terminating zero, so at most its 20 bytes are read.
std::string PidNameText(const PidRecord& record);

struct PidRow {
    PidRecord* record;   // the row's item data
    std::string pidText;
    std::string typeText;
    std::string macText;
    int image;
};

// Loaded, not loaded, or marked loaded but refused by the card at its last send.
int PidImage(const PidRecord& record, bool refused);

PidRow MakePidRow(PidRecord& record, bool refused);
