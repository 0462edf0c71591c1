// The tone's sound output through the system's wave output (waveOutOpen,
// waveOutWrite): a few short buffers in turn, so that a new pitch is heard
// within a fraction of a second.
#pragma once

#include "app/TonePlayer.h"

#include <windows.h>

#include <mmsystem.h>

#include <array>
#include <vector>

class CWaveOutDevice final : public WaveOutput {
public:
    CWaveOutDevice() = default;
    CWaveOutDevice(const CWaveOutDevice&) = delete;
    CWaveOutDevice& operator=(const CWaveOutDevice&) = delete;
    ~CWaveOutDevice() override { Close(); }

    bool Open(int sampleRate) override;
    bool Play(std::span<const std::int16_t> block) override;
    void Close() override;

private:
    struct Buffer {
        WAVEHDR header{};
        std::vector<std::int16_t> samples;
        bool prepared = false;
    };
    // A buffer the device is done with, waiting for one at most the time.
    Buffer* FreeBuffer(DWORD waitMs);

    HWAVEOUT device = nullptr;
    HANDLE done = nullptr;   // set by the device whenever it finishes a buffer
    int rate = 1;            // samples per second
    std::array<Buffer, 3> buffers;
};
