#include "database/ChannelFileFormat.h"

#include <cstring>

namespace {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes(bytes) {}

    bool Holds(std::size_t count) const { return bytes.size() - position >= count; }
    bool AtEnd() const { return position == bytes.size(); }

    // Callers check Holds() for the whole block first.
    std::int32_t Int32()
    {
        const std::uint8_t* b = bytes.data() + position;
        position += 4;
        const std::uint32_t value =
            std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
        return static_cast<std::int32_t>(value);
    }

    template <std::size_t N>
    void Name(char (&field)[N])
    {
        std::memcpy(field, bytes.data() + position, N);
        position += N;
        // Names written by the program end in zeros: no search for them.
        if (field[N - 1] != 0 && !std::memchr(field, 0, N - 1))
            field[N - 1] = 0;
    }

private:
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

// Gathers the encoded bytes into chunks for the sink, so that a large file
// is never held whole in memory. After the sink refuses a chunk, nothing more
// reaches it.
class ChunkWriter {
public:
    explicit ChunkWriter(ByteSink& sink) : sink(sink), chunk(kChunkSize) {}

    bool Good() const { return good; }

    void Int32(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        const std::uint8_t littleEndian[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                              static_cast<std::uint8_t>(bits >> 16),
                                              static_cast<std::uint8_t>(bits >> 24)};
        Put(littleEndian, sizeof littleEndian);
    }

    template <std::size_t N>
    void Name(const char (&field)[N])
    {
        Put(field, N);
    }

    bool Finish()
    {
        Flush();
        return good;
    }

private:
    static constexpr std::size_t kChunkSize = 64 * 1024;

    // Every piece is a field, far smaller than a chunk.
    void Put(const void* bytes, std::size_t size)
    {
        if (chunk.size() - used < size)
            Flush();
        std::memcpy(chunk.data() + used, bytes, size);
        used += size;
    }

    void Flush()
    {
        if (good && used > 0)
            good = sink.Write(std::span(chunk.data(), used));
        used = 0;
    }

    ByteSink& sink;
    std::vector<std::uint8_t> chunk;
    std::size_t used = 0;
    bool good = true;
};

// Appends one record after `last` (or as the first) and makes it the last.
template <typename Record>
void Append(Record*& first, Record*& last, Record* record)
{
    (last ? last->next : first) = record;
    last = record;
}

bool ReadPids(ByteReader& reader, RecordArena& arena, std::int32_t count, TransponderRecord& transponder)
{
    PidRecord* last = nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!reader.Holds(kPidBlockSize))
            return false;
        auto* pid = arena.New<PidRecord>();
        reader.Name(pid->name);
        pid->loaded = reader.Int32();
        pid->type = reader.Int32();
        pid->pid = reader.Int32();
        Append(transponder.firstPid, last, pid);
        ++transponder.pidCount;
    }
    return true;
}

bool ReadTransponders(ByteReader& reader, RecordArena& arena, std::int32_t count, SatelliteRecord& satellite)
{
    TransponderRecord* last = nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!reader.Holds(kTransponderBlockSize))
            return false;
        auto* transponder = arena.New<TransponderRecord>();
        reader.Name(transponder->name);
        transponder->frequency = reader.Int32();
        transponder->symbolRate = reader.Int32();
        transponder->polarity = reader.Int32();
        const std::int32_t pidCount = reader.Int32();
        Append(satellite.firstTransponder, last, transponder);
        ++satellite.transponderCount;
        if (!ReadPids(reader, arena, pidCount, *transponder))
            return false;
    }
    return true;
}

bool ReadSatellites(ByteReader& reader, RecordArena& arena, std::int32_t count, SatelliteList& list,
                    SatelliteRecord*& last)
{
    for (std::int32_t i = 0; i < count; ++i) {
        if (!reader.Holds(kSatelliteBlockSize))
            return false;
        auto* satellite = arena.New<SatelliteRecord>();
        reader.Name(satellite->name);
        satellite->degree = reader.Int32();
        satellite->lnbFreq1 = reader.Int32();
        satellite->lnbFreq2 = reader.Int32();
        satellite->tone22k = reader.Int32();
        satellite->diseqcPort = reader.Int32();
        satellite->dishType = reader.Int32();
        satellite->lnbPower = reader.Int32();
        satellite->lnbType = reader.Int32();
        const std::int32_t transponderCount = reader.Int32();
        Append(list.firstSatellite, last, satellite);
        ++list.satelliteCount;
        if (!ReadTransponders(reader, arena, transponderCount, *satellite))
            return false;
    }
    return true;
}

template <typename Record>
std::int32_t ChainLength(const Record* first)
{
    std::int32_t length = 0;
    for (; first; first = first->next)
        ++length;
    return length;
}

void WritePids(ChunkWriter& writer, const PidRecord* first)
{
    for (const PidRecord* pid = first; pid && writer.Good(); pid = pid->next) {
        writer.Name(pid->name);
        writer.Int32(pid->loaded);
        writer.Int32(pid->type);
        writer.Int32(pid->pid);
    }
}

void WriteTransponders(ChunkWriter& writer, const TransponderRecord* first)
{
    for (const TransponderRecord* transponder = first; transponder && writer.Good(); transponder = transponder->next) {
        writer.Name(transponder->name);
        writer.Int32(transponder->frequency);
        writer.Int32(transponder->symbolRate);
        writer.Int32(transponder->polarity);
        writer.Int32(ChainLength(transponder->firstPid));
        WritePids(writer, transponder->firstPid);
    }
}

}   // namespace

ChannelFileReadResult ReadChannelFile(std::span<const std::uint8_t> bytes, SatelliteList& list, RecordArena& arena)
{
    ChannelFileReadResult result;
    ByteReader reader(bytes);
    if (!reader.Holds(kRootBlockSize)) {
        result.complete = false;
        return result;
    }
    const std::int32_t count = reader.Int32();
    const bool whole = ReadSatellites(reader, arena, count, list, result.lastSatellite);
    result.complete = whole && reader.AtEnd();
    return result;
}

bool WriteChannelFile(const SatelliteList& list, ByteSink& sink)
{
    ChunkWriter writer(sink);
    writer.Int32(ChainLength(list.firstSatellite));
    for (const SatelliteRecord* satellite = list.firstSatellite; satellite && writer.Good();
         satellite = satellite->next) {
        writer.Name(satellite->name);
        writer.Int32(satellite->degree);
        writer.Int32(satellite->lnbFreq1);
        writer.Int32(satellite->lnbFreq2);
        writer.Int32(satellite->tone22k);
        writer.Int32(satellite->diseqcPort);
        writer.Int32(satellite->dishType);
        writer.Int32(satellite->lnbPower);
        writer.Int32(satellite->lnbType);
        writer.Int32(ChainLength(satellite->firstTransponder));
        WriteTransponders(writer, satellite->firstTransponder);
    }
    return writer.Finish();
}

std::vector<std::uint8_t> WriteChannelFile(const SatelliteList& list)
{
    MemorySink memory;
    WriteChannelFile(list, memory);
    return std::move(memory.bytes);
}
