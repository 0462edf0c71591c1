// Reading the transponder and channel lists that users keep for other tools,
// recognised by their content:
// - satellite lists in INI form: [SATTYPE] with 1= the position as four
//   digits (0192 for 19.2 E) and 2= the name; [DVB] with N=frequency (MHz),
//   polarisation (H V L R), symbol rate (ksps)[,FEC[,system[,modulation]]];
// - blocks of "KEY = value" lines under a "[name]" header (DELIVERY_SYSTEM,
//   FREQUENCY, POLARIZATION, SYMBOL_RATE, MODULATION, BANDWIDTH_HZ);
// - one transponder per line: "S freq pol rate fec", "S2 ...", "C freq rate
//   fec modulation", "T freq bandwidth ...", "T2 plp freq bandwidth ...".
// Values come out in the units the database keeps: satellite MHz and ksps,
// cable and terrestrial kHz, ksps, QAM size and bandwidth in MHz. Numbers are
// read saturating, so a value too large for its field can only fail the range
// checks; nothing here decides what the card accepts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ListFormat { Unknown, SatelliteIni, ChannelBlocks, TransponderLines };

// The family of an entry's delivery system; Unknown when the entry does not
// say it in a form this reader knows.
enum class DeliveryFamily { Unknown, Satellite, Cable, Terrestrial, Other };

constexpr std::uint32_t kAutoValue = 0;              // QAM size or bandwidth "Auto"
constexpr std::uint32_t kUnreadValue = 0xFFFFFFFF;   // a value outside every range

struct ListedEntry {
    std::size_t line = 0;   // 1-based line where the entry starts
    DeliveryFamily family = DeliveryFamily::Unknown;
    bool readable = false;                  // false: broken or unsupported; values unset
    std::string name;                       // the block's name; empty in the other forms
    std::uint32_t frequency = 0;            // satellite MHz; cable and terrestrial kHz
    std::uint32_t symbolRate = 0;           // ksps (satellite and cable)
    int polarity = 0;                       // satellite: 0 vertical, 1 horizontal
    std::uint32_t qamSize = kAutoValue;     // cable
    std::uint32_t bandwidth = kAutoValue;   // terrestrial, MHz
};

struct ParsedList {
    ListFormat format = ListFormat::Unknown;
    std::string satelliteName;            // INI [SATTYPE] 2=, trimmed
    std::optional<std::int32_t> degree;   // INI [SATTYPE] 1= when four digits
    std::vector<ListedEntry> entries;     // in file order
};

ParsedList ParseTuningList(std::string_view text);
