// Plays the alignment tone on a thread of its own, so that the sound device's
// pace never holds up the window; the pitch follows the latest quality.
#pragma once

#include "app/Tone.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>

// The sound output the player writes to (the system's wave output on Windows).
class WaveOutput {
public:
    virtual ~WaveOutput() = default;
    // The default device for 16-bit mono samples at the rate; false when
    // there is none or it is in use.
    virtual bool Open(int sampleRate) = 0;
    // Queues the block; returns once the device can take another, within
    // about a block's length. False when the device failed.
    virtual bool Play(std::span<const std::int16_t> block) = 0;
    // Stops at once, dropping what is queued; also after a failed Open.
    virtual void Close() = 0;
};

class TonePlayer {
public:
    static constexpr int kSampleRate = 22050;
    // 50 ms: the pitch follows a new quality within a few blocks.
    static constexpr int kBlockSamples = kSampleRate / 20;

    using OutputMaker = std::function<std::unique_ptr<WaveOutput>()>;
    // trace takes a line when the device is missing or fails; it is called
    // on the player's thread.
    using Trace = std::function<void(const std::string& line)>;
    TonePlayer(OutputMaker makeOutput, Trace trace) : makeOutput(std::move(makeOutput)), trace(std::move(trace))
    {
        SetQuality(0);
    }
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;
    ~TonePlayer() { Stop(); }

    // Starts the thread unless it runs. Without a sound device the thread
    // ends by itself and nothing else happens.
    void Start();
    // Ends the thread and waits for it: within about a block's length.
    void Stop();
    // Started and not stopped since (the thread may have ended by itself).
    bool IsStarted() const { return thread.joinable(); }
    void SetQuality(int quality);

private:
    void Run();
    void Report(const std::string& line) const;

    OutputMaker makeOutput;
    Trace trace;
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<int> pitchHz{0};
};
