#include "tests/e2e/SatelliteFile.h"

namespace {

constexpr size_t kSatelliteNameSize = 32;
constexpr size_t kTransponderNameSize = 32;
constexpr size_t kPidNameSize = 20;
constexpr size_t kPidBlockSize = kPidNameSize + 12;

void PutInt(std::string& out, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

void PutName(std::string& out, const std::string& name, size_t size)
{
    std::string field(size, '\0');
    field.replace(0, name.size() < size ? name.size() : size - 1, name.substr(0, size - 1));
    out += field;
}

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes(bytes) {}
    bool Holds(size_t count) const { return bytes.size() - at >= count; }
    bool AtEnd() const { return at == bytes.size(); }
    std::int32_t Int()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        at += 4;
        return static_cast<std::int32_t>(value);
    }
    std::string Name(size_t size)
    {
        std::string field = bytes.substr(at, size);
        at += size;
        return field.substr(0, field.find('\0'));
    }
    void Skip(size_t count) { at += count; }

private:
    const std::string& bytes;
    size_t at = 0;
};

bool ReadTransponder(Reader& reader, FileTransponder& transponder)
{
    if (!reader.Holds(kTransponderNameSize + 16))
        return false;
    transponder.name = reader.Name(kTransponderNameSize);
    transponder.frequency = reader.Int();
    transponder.symbolRate = reader.Int();
    transponder.polarity = reader.Int();
    transponder.pidCount = reader.Int();
    if (transponder.pidCount < 0 || !reader.Holds(kPidBlockSize * static_cast<size_t>(transponder.pidCount)))
        return false;
    reader.Skip(kPidBlockSize * static_cast<size_t>(transponder.pidCount));
    return true;
}

bool ReadSatellite(Reader& reader, FileSatellite& satellite)
{
    if (!reader.Holds(kSatelliteNameSize + 36))
        return false;
    satellite.name = reader.Name(kSatelliteNameSize);
    satellite.degree = reader.Int();
    satellite.lnbFreq1 = reader.Int();
    satellite.lnbFreq2 = reader.Int();
    satellite.tone22k = reader.Int();
    satellite.diseqcPort = reader.Int();
    satellite.dishType = reader.Int();
    satellite.lnbPower = reader.Int();
    satellite.lnbType = reader.Int();
    const std::int32_t count = reader.Int();
    for (std::int32_t i = 0; i < count; ++i) {
        FileTransponder transponder;
        if (!ReadTransponder(reader, transponder))
            return false;
        satellite.transponders.push_back(transponder);
    }
    return count >= 0;
}

}  // namespace

std::string SatelliteFileBytes(const std::vector<FileSatellite>& satellites)
{
    std::string out;
    PutInt(out, static_cast<std::int32_t>(satellites.size()));
    for (const FileSatellite& s : satellites) {
        PutName(out, s.name, kSatelliteNameSize);
        for (std::int32_t value : {s.degree, s.lnbFreq1, s.lnbFreq2, s.tone22k, s.diseqcPort, s.dishType, s.lnbPower,
                                   s.lnbType, static_cast<std::int32_t>(s.transponders.size())})
            PutInt(out, value);
        for (const FileTransponder& t : s.transponders) {
            PutName(out, t.name, kTransponderNameSize);
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

bool ParseSatelliteFile(const std::string& bytes, std::vector<FileSatellite>& satellites)
{
    satellites.clear();
    Reader reader(bytes);
    if (!reader.Holds(4))
        return false;
    const std::int32_t count = reader.Int();
    for (std::int32_t i = 0; i < count; ++i) {
        FileSatellite satellite;
        if (!ReadSatellite(reader, satellite))
            return false;
        satellites.push_back(satellite);
    }
    return count >= 0 && reader.AtEnd();
}
