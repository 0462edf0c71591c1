#include "tests/e2e/SatelliteFile.h"

namespace {

constexpr size_t kNameSize = 32;   // of a satellite and of a transponder
constexpr size_t kPidNameSize = 20;

void PutInt(std::string& out, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

void PutName(std::string& out, const std::string& name, size_t size)
{
    std::string field = name.substr(0, size - 1);
    field.resize(size, '\0');
    out += field;
}

}   // namespace

std::string SatelliteFileBytes(const std::vector<FileSatellite>& satellites)
{
    std::string out;
    PutInt(out, static_cast<std::int32_t>(satellites.size()));
    for (const FileSatellite& s : satellites) {
        PutName(out, s.name, kNameSize);
        for (std::int32_t value : {s.degree, s.lnbFreq1, s.lnbFreq2, s.tone22k, s.diseqcPort, s.dishType, s.lnbPower,
                                   s.lnbType, static_cast<std::int32_t>(s.transponders.size())})
            PutInt(out, value);
        for (const FileTransponder& t : s.transponders) {
            PutName(out, t.name, kNameSize);
            for (std::int32_t value : {t.frequency, t.symbolRate, t.polarity, static_cast<std::int32_t>(t.pids.size())})
                PutInt(out, value);
            for (const FilePid& pid : t.pids) {
                PutName(out, std::string(), kPidNameSize);
                for (std::int32_t value : {pid.loaded, pid.type, pid.pid})
                    PutInt(out, value);
            }
        }
    }
    return out;
}
