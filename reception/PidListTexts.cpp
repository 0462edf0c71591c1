#include "reception/PidListTexts.h"

#include "reception/FormatText.h"

#include <cstring>

using namespace reception;

std::array<PidColumn, 3> PidColumns(int clientWidth)
{
    return {{
        {"PID", clientWidth / 5, "String71"},
        {"Type", clientWidth / 5, "String72"},
        {"MAC Address", 3 * clientWidth / 5, "String73"},
    }};
}

std::string PidHexText(std::int32_t pid) { return FormatText("%x", static_cast<unsigned>(pid)); }

const char* PidTypeName(std::int32_t type)
{
    static constexpr const char* kNames[] = {"data pipe", "data streamin", "MPE data", "Data Streaming PES 1"};
    if (type < 0 || type >= static_cast<std::int32_t>(std::size(kNames)))
        return "";
    return kNames[type];
}

std::string PidNameText(const PidRecord& record)
{
    const void* terminator = std::memchr(record.name, 0, sizeof record.name);
    const std::size_t length = terminator != nullptr
                                   ? static_cast<std::size_t>(static_cast<const char*>(terminator) - record.name)
                                   : sizeof record.name;
    if (length == 0)
        return kUnknownMacText;
    return std::string(record.name, length);
}

int PidImage(const PidRecord& record, bool refused)
{
    if (record.loaded == 0)
        return kNotLoadedImage;
    return refused ? kRefusedImage : kLoadedImage;
}

PidRow MakePidRow(PidRecord& record, bool refused)
{
    return PidRow{&record, PidHexText(record.pid), PidTypeName(record.type), PidNameText(record),
                  PidImage(record, refused)};
}
