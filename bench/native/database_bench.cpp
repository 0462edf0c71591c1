// Load and Save of a database against reading and writing the same bytes raw.
// Sizes: 100,000 and 400,000 transponders, each with two PIDs.
#include "common/FileIo.h"
#include "database/ChannelDatabase.h"

#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr int kTranspondersPerSatellite = 1000;
constexpr int kPidsPerTransponder = 2;

std::string BenchPath(const char* name, std::int64_t transponders)
{
    return (std::filesystem::temp_directory_path() /
            ("lumisat-bench-" + std::string(name) + "-" + std::to_string(transponders) + ".dll"))
        .string();
}

// Writes the generated database once per size and answers its path.
std::string GeneratedFile(std::int64_t transponders)
{
    const std::string path = BenchPath("source", transponders);
    CChannelDatabase db;
    db.Load("");
    for (std::int64_t added = 0; added < transponders;) {
        auto satellite = std::make_unique<SatelliteRecord>();
        std::snprintf(satellite->name, sizeof satellite->name, "Satellite %lld", static_cast<long long>(added));
        db.AddSatellite(std::move(satellite), 1);
        for (int t = 0; t < kTranspondersPerSatellite && added < transponders; ++t, ++added) {
            auto transponder = std::make_unique<TransponderRecord>();
            transponder->frequency = 10700 + t;
            transponder->symbolRate = 27500;
            db.AddTransponder(std::move(transponder), 1);
            for (int p = 0; p < kPidsPerTransponder; ++p) {
                auto pid = std::make_unique<PidRecord>();
                pid->pid = 21 + p;
                db.AddPid(std::move(pid), 0);
            }
        }
    }
    db.Save(path);
    return path;
}

void SetBytes(benchmark::State& state, const std::string& path)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void LoadDatabase(benchmark::State& state)
{
    const std::string path = GeneratedFile(state.range(0));
    CChannelDatabase db;
    for (auto _ : state)
        benchmark::DoNotOptimize(db.Load(path));
    SetBytes(state, path);
    std::filesystem::remove(path);
}

void ReadRawBytes(benchmark::State& state)
{
    const std::string path = GeneratedFile(state.range(0));
    // A new buffer each time, as Load reads into one.
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        benchmark::DoNotOptimize(ReadWholeFile(path, bytes));
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

void SaveDatabase(benchmark::State& state)
{
    const std::string source = GeneratedFile(state.range(0));
    const std::string target = BenchPath("save", state.range(0));
    CChannelDatabase db;
    db.Load(source);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.Save(target));
    SetBytes(state, source);
    std::filesystem::remove(target);
    std::filesystem::remove(source);
}

void WriteRawBytes(benchmark::State& state)
{
    const std::string source = GeneratedFile(state.range(0));
    const std::string target = BenchPath("raw", state.range(0));
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(source, bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteWholeFile(target, bytes));
    SetBytes(state, source);
    std::filesystem::remove(target);
    std::filesystem::remove(source);
}

}   // namespace

BENCHMARK(LoadDatabase)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadRawBytes)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveDatabase)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteRawBytes)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Each measurement here takes and frees tens of megabytes. By default the
    // C library maps large blocks afresh and gives freed memory back to the
    // system depending on what ran before, so that the same raw read took 13
    // or 33 ms as its buffer's pages were new or not. A heap that keeps its
    // memory gives every measurement pages that were touched before.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
