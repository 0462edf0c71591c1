#include "app/TonePlayer.h"

#include <vector>

void TonePlayer::Start()
{
    if (thread.joinable())
        return;
    stopping = false;
    thread = std::thread([this] { Run(); });
}

void TonePlayer::Stop()
{
    if (!thread.joinable())
        return;
    stopping = true;
    thread.join();
}

void TonePlayer::SetQuality(int quality) { pitchHz = TonePitchHz(quality); }

void TonePlayer::Run()
{
    std::unique_ptr<WaveOutput> output = makeOutput ? makeOutput() : nullptr;
    if (output == nullptr)
        return;
    if (!output->Open(kSampleRate)) {
        Report("The tone has no sound device to play on.\n");
    } else {
        ToneSynth synth(kSampleRate);
        std::vector<std::int16_t> block(kBlockSamples);
        while (!stopping) {
            synth.Fill(block, pitchHz);
            if (!output->Play(block)) {
                Report("The sound device stopped taking the tone.\n");
                break;
            }
        }
    }
    output->Close();
}

void TonePlayer::Report(const std::string& line) const
{
    if (trace)
        trace(line);
}
