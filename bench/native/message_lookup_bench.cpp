// Looking up every message key one by one in a 64 KB language file, as the
// program does: each lookup reads the file afresh and scans it from the top
// (no cache). Baselines in the same run: reading the file as often without
// scanning, and scanning text already in memory.
#include "language/LanguageFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kFileBytes = 64 * 1024;

// The message keys the program uses (String1 to String41 without 10, 21, 23, 28, 29).
std::vector<std::string> MessageKeys()
{
    std::vector<std::string> keys;
    for (int n = 1; n <= 41; ++n) {
        if (n != 10 && n != 21 && n != 23 && n != 28 && n != 29)
            keys.push_back("String" + std::to_string(n));
    }
    return keys;
}

// Control and caption lines first and the messages last, as in the shipped
// files, so every message lookup scans past the control texts; CR LF line
// ends as the converted copies have.
std::string LanguageText()
{
    std::string messages;
    for (const std::string& key : MessageKeys())
        messages += key + "=A translated message text of a typical length, about sixty characters.\r\n";
    std::string text = "Ok=OK\r\nCancel=Cancel\r\nDialog1=Satellite  Info/Channel Info\r\nPage1=LNB && Switch\r\n";
    for (int id = 1000; text.size() + messages.size() < kFileBytes; ++id)
        text += std::to_string(id) + "=Control text " + std::to_string(id) + " in the language\r\n";
    text.resize(kFileBytes - messages.size());
    // A line cut short by the resize must not join the first message line.
    text.replace(text.size() - 2, 2, "\r\n");
    return text + messages;
}

class LanguageFileFixture : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override
    {
        path = (std::filesystem::temp_directory_path() / "lumisat-bench-language.txt.tmp").string();
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        const std::string text = LanguageText();
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    void TearDown(const benchmark::State&) override { std::filesystem::remove(path); }

protected:
    std::string path;
    const std::vector<std::string> keys = MessageKeys();
};

}  // namespace

BENCHMARK_DEFINE_F(LanguageFileFixture, LookupEveryMessage)(benchmark::State& state)
{
    for (auto _ : state) {
        for (const std::string& key : keys) {
            std::string text = LookupString(path, key);
            if (text.empty())
                state.SkipWithError(("no text for " + key).c_str());
            benchmark::DoNotOptimize(text);
        }
    }
    state.counters["keys"] = static_cast<double>(keys.size());
}

BENCHMARK_DEFINE_F(LanguageFileFixture, ReadFileOncePerKey)(benchmark::State& state)
{
    for (auto _ : state) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            std::string text;
            benchmark::DoNotOptimize(ReadLanguageText(path, text));
            benchmark::DoNotOptimize(text);
        }
    }
}

BENCHMARK_DEFINE_F(LanguageFileFixture, ScanTextInMemory)(benchmark::State& state)
{
    std::string text;
    ReadLanguageText(path, text);
    for (auto _ : state) {
        for (const std::string& key : keys)
            benchmark::DoNotOptimize(LookupInLanguageText(text, key));
    }
}

BENCHMARK_REGISTER_F(LanguageFileFixture, LookupEveryMessage)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(LanguageFileFixture, ReadFileOncePerKey)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(LanguageFileFixture, ScanTextInMemory)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
