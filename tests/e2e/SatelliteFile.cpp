#include "tests/e2e/SatelliteFile.h"

#include <algorithm>

namespace {

constexpr size_t kNameSize = 32;   // of a satellite and of a transponder
constexpr size_t kPidNameSize = 20;
constexpr size_t kPidSize = kPidNameSize + 12;

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

// Reads the fields in order; once a read would pass the end, the bytes are
// not whole and every further read gives zeros.
class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes(bytes) {}
    bool Whole() const { return whole; }
    bool AtEnd() const { return whole && at == bytes.size(); }
    void Skip(size_t size)
    {
        whole = whole && bytes.size() - at >= size;
        at += whole ? size : 0;
    }
    std::string Field(size_t size)
    {
        Skip(size);
        return whole ? bytes.substr(at - size, size) : std::string(size, '\0');
    }
    std::int32_t Int()
    {
        const std::string field = Field(4);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(field[i]);
        return static_cast<std::int32_t>(value);
    }
    std::string Name(size_t size)
    {
        const std::string field = Field(size);
        return field.substr(0, field.find('\0'));
    }

private:
    const std::string& bytes;
    size_t at = 0;
    bool whole = true;
};

}  // namespace

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

bool ParseSatelliteFile(const std::string& bytes, std::vector<FileSatellite>& satellites)
{
    satellites.clear();
    Reader reader(bytes);
    for (std::int32_t count = reader.Int(); count > 0 && reader.Whole(); --count) {
        FileSatellite& s = satellites.emplace_back();
        s.name = reader.Name(kNameSize);
        for (std::int32_t* field : {&s.degree, &s.lnbFreq1, &s.lnbFreq2, &s.tone22k, &s.diseqcPort, &s.dishType,
                                    &s.lnbPower, &s.lnbType})
            *field = reader.Int();
        for (std::int32_t transponders = reader.Int(); transponders > 0 && reader.Whole(); --transponders) {
            FileTransponder& t = s.transponders.emplace_back();
            t.name = reader.Name(kNameSize);
            for (std::int32_t* field : {&t.frequency, &t.symbolRate, &t.polarity, &t.pidCount})
                *field = reader.Int();
            reader.Skip(kPidSize * static_cast<size_t>(std::max(t.pidCount, 0)));
        }
    }
    return reader.AtEnd();
}
