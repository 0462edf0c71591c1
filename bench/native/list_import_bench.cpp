// Importing a 200-transponder INI list into a satellite that has 200 already:
// reading the file, the checks, the appends and the summary text, as Open to
// the summary does apart from the window work.
#include "tuning/ImportSummary.h"
#include "tuning/TuningListImport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kTransponders = 200;

// 200 transponders from 10700 MHz up, every other one vertical; `offset`
// shifts the frequencies so that the list and the satellite do not overlap.
std::string IniList(int offset)
{
    std::string text = "[SATTYPE]\r\n1=0192\r\n2=Astra 19.2E\r\n[DVB]\r\n0=200\r\n";
    for (int i = 0; i < kTransponders; ++i)
        text += std::to_string(i + 1) + "=" + std::to_string(10700 + offset + i * 8) + (i % 2 ? ",V," : ",H,") +
                "27500,34\r\n";
    return text;
}

void ImportIntoFullSatellite(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "lumisat-bench-import.ini").string();
    std::ofstream(path, std::ios::binary) << IniList(4);
    std::size_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CChannelDatabase database;
        database.Load("");
        ImportTuningList(database, 0, IniList(0), "Astra 19.2E.ini");
        state.ResumeTiming();
        const ImportReport report = ImportTuningListFile(database, 0, path);
        benchmark::DoNotOptimize(ImportSummaryText(report, [](const char*, const char* english) { return english; }));
        added = report.added;
    }
    state.counters["added"] = static_cast<double>(added);
    std::filesystem::remove(path);
}

}   // namespace

BENCHMARK(ImportIntoFullSatellite)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
