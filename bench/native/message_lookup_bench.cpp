// Looking up every message key one by one in a UTF-16 language file of 64 KB
// (and of 128 KB), as the pages do: through the path of its converted copy,
// each lookup reads the UTF-16 file afresh, decodes it and scans it from the
// top (no cache). Baselines in the same run: reading the file as often
// without decoding or scanning, and scanning its decoded text in memory.
#include "common/AnsiCase.h"
#include "common/FileIo.h"
#include "language/LanguageConversion.h"
#include "language/LanguageFile.h"
#include "language/LanguageTexts.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

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
// ends as the shipped files have. `length` characters.
std::string LanguageText(std::size_t length)
{
    std::string messages;
    for (const std::string& key : MessageKeys())
        messages += key + "=A translated message text of a typical length, about sixty characters.\r\n";
    std::string text = "Ok=OK\r\nCancel=Cancel\r\nDialog1=Satellite  Info/Channel Info\r\nPage1=LNB && Switch\r\n";
    for (int id = 1000; text.size() + messages.size() < length; ++id)
        text += std::to_string(id) + "=Control text " + std::to_string(id) + " in the language\r\n";
    text.resize(length - messages.size());
    // A line cut short by the resize must not join the first message line.
    text.replace(text.size() - 2, 2, "\r\n");
    return text + messages;
}

// UTF-16 little-endian with its byte-order mark; `text` is ASCII.
std::string Utf16File(const std::string& text)
{
    std::string bytes = "\xFF\xFE";
    for (const char c : text) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

class LanguageFileFixture : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State& state) override
    {
        source = (std::filesystem::temp_directory_path() / "lumisat-bench-language.txt").string();
        std::ofstream file(source, std::ios::binary | std::ios::trunc);
        const std::string bytes = Utf16File(LanguageText((static_cast<std::size_t>(state.range(0)) - 2) / 2));
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        std::string error;
        ConvertLanguageFile(source, ".tmp", error);
        path = source + ".tmp";
    }
    void TearDown(const benchmark::State&) override
    {
        std::filesystem::remove(path);
        std::filesystem::remove(source);
    }

protected:
    std::string source;
    std::string path;
    const std::vector<std::string> keys = MessageKeys();
};

std::string ValueInText(std::string_view text, std::string_view key)
{
    std::string value;
    ForEachLanguageLine(text, [&](std::string_view lineKey, std::string_view lineValue) {
        if (!AnsiEqualNoCase(lineKey, key))
            return true;
        value.assign(lineValue);
        return false;
    });
    return value;
}

}   // namespace

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
            std::vector<std::uint8_t> bytes;
            benchmark::DoNotOptimize(ReadWholeFile(source, bytes));
            benchmark::DoNotOptimize(bytes);
        }
    }
}

BENCHMARK_DEFINE_F(LanguageFileFixture, ScanTextInMemory)(benchmark::State& state)
{
    const std::string text = ReadLanguageTexts(path).value_or(std::string());
    for (auto _ : state) {
        for (const std::string& key : keys)
            benchmark::DoNotOptimize(ValueInText(text, key));
    }
}

BENCHMARK_REGISTER_F(LanguageFileFixture, LookupEveryMessage)
    ->Arg(64 * 1024)
    ->Arg(128 * 1024)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(LanguageFileFixture, ReadFileOncePerKey)
    ->Arg(64 * 1024)
    ->Arg(128 * 1024)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(LanguageFileFixture, ScanTextInMemory)
    ->Arg(64 * 1024)
    ->Arg(128 * 1024)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
