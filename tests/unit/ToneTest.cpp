#include "app/Tone.h"
#include "app/TonePlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <vector>

namespace {

// Upward zero crossings per second of the samples: the pitch heard.
int MeasuredPitch(const std::vector<std::int16_t>& samples, int sampleRate)
{
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        crossings += samples[i - 1] < 0 && samples[i] >= 0;
    return static_cast<int>(static_cast<long long>(crossings) * sampleRate / static_cast<long long>(samples.size()));
}

TEST(Tone, PitchRisesWithEveryPointOfQuality)
{
    EXPECT_EQ(TonePitchHz(0), 330);
    EXPECT_EQ(TonePitchHz(50), 933);
    EXPECT_EQ(TonePitchHz(100), 2640);
    EXPECT_EQ(TonePitchHz(-40), 330);
    EXPECT_EQ(TonePitchHz(250), 2640);
    for (int quality = 1; quality <= 100; ++quality)
        EXPECT_GT(TonePitchHz(quality), TonePitchHz(quality - 1)) << quality;
}

TEST(Tone, SynthPlaysThePitchWithoutAJumpBetweenBlocks)
{
    constexpr int kRate = 22050;
    ToneSynth synth(kRate);
    std::vector<std::int16_t> low(kRate - 1234), high(kRate);   // the first ends within a wave
    synth.Fill(low, 440);
    synth.Fill(high, 1760);
    EXPECT_NEAR(MeasuredPitch(low, kRate), 440, 2);
    EXPECT_NEAR(MeasuredPitch(high, kRate), 1760, 2);
    // The largest step within a block of 1760 Hz, which the change of pitch must not exceed.
    int steepest = 0;
    for (std::size_t i = 1; i < high.size(); ++i)
        steepest = std::max(steepest, std::abs(high[i] - high[i - 1]));
    EXPECT_LE(std::abs(high[0] - low.back()), steepest) << "no click where the pitch changed";
}

// A sound output that records what it is given, or has no device.
class FakeOutput final : public WaveOutput {
public:
    struct Record {
        std::mutex mutex;
        bool opened = false;
        bool closed = false;
        std::vector<std::int16_t> played;
        int playsLeft = 1 << 30;   // Play fails once they are used up
    };
    FakeOutput(Record& record, bool hasDevice) : record(record), hasDevice(hasDevice) {}
    bool Open(int) override { return record.opened = hasDevice; }
    bool Play(std::span<const std::int16_t> block) override
    {
        std::lock_guard lock(record.mutex);
        record.played.insert(record.played.end(), block.begin(), block.end());
        return --record.playsLeft >= 0;
    }
    void Close() override
    {
        std::lock_guard lock(record.mutex);
        record.closed = true;
    }

private:
    Record& record;
    bool hasDevice;
};

struct PlayerRun {
    FakeOutput::Record record;
    std::vector<std::string> traced;
    TonePlayer player;
    explicit PlayerRun(bool hasDevice)
        : player([this, hasDevice] { return std::make_unique<FakeOutput>(record, hasDevice); },
                 [this](const std::string& line) { traced.push_back(line); })
    {
    }
    // Waits at most 10 s for the player's thread to have done what the condition asks.
    void WaitUntil(const std::function<bool(const FakeOutput::Record&)>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (bool reached = false; !reached && std::chrono::steady_clock::now() < deadline; std::this_thread::yield()) {
            std::lock_guard lock(record.mutex);
            reached = done(record);
        }
    }
};

TEST(TonePlayer, PlaysTheLatestQualitysPitchUntilStopped)
{
    PlayerRun run(true);
    run.player.SetQuality(100);
    run.player.Start();
    run.WaitUntil([](const FakeOutput::Record& r) { return r.played.size() >= 4 * TonePlayer::kBlockSamples; });
    run.player.Stop();
    EXPECT_FALSE(run.player.IsStarted());
    EXPECT_TRUE(run.record.closed);
    const std::vector<std::int16_t> first(run.record.played.begin(),
                                          run.record.played.begin() + TonePlayer::kBlockSamples * 4);
    EXPECT_NEAR(MeasuredPitch(first, TonePlayer::kSampleRate), TonePitchHz(100), 25);
    EXPECT_TRUE(run.traced.empty());
}

// Under a system without sound (Wine on a server) the tone is just not heard.
TEST(TonePlayer, AMissingOrFailingDeviceEndsTheThreadAndIsTraced)
{
    PlayerRun missing(false);
    missing.player.Start();
    missing.player.Stop();
    EXPECT_TRUE(missing.record.opened == false && missing.record.closed && missing.record.played.empty());
    EXPECT_EQ(missing.traced, std::vector<std::string>{"The tone has no sound device to play on.\n"});
    missing.player.Stop();   // again: nothing to wait for

    PlayerRun failing(true);
    failing.record.playsLeft = 2;
    failing.player.Start();
    failing.WaitUntil([](const FakeOutput::Record& r) { return r.closed; });
    failing.player.Stop();
    EXPECT_EQ(failing.record.played.size(), 3u * TonePlayer::kBlockSamples) << "the third block failed";
    EXPECT_EQ(failing.traced, std::vector<std::string>{"The sound device stopped taking the tone.\n"});
}

}   // namespace
