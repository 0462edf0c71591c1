#include "app/win/WaveOutDevice.h"

#include <algorithm>

bool CWaveOutDevice::Open(int sampleRate)
{
    done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (done == nullptr || sampleRate <= 0)
        return false;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    rate = sampleRate;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT)
        != MMSYSERR_NOERROR) {
        device = nullptr;
        return false;
    }
    return true;
}

CWaveOutDevice::Buffer* CWaveOutDevice::FreeBuffer(DWORD waitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        for (Buffer& buffer : buffers) {
            if (!buffer.prepared || (buffer.header.dwFlags & WHDR_DONE) != 0)
                return &buffer;
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= waitMs || WaitForSingleObject(done, waitMs - waited) == WAIT_FAILED)
            return nullptr;
    }
}

bool CWaveOutDevice::Play(std::span<const std::int16_t> block)
{
    if (device == nullptr)
        return false;
    // A device that takes no buffer back in several blocks' time has failed.
    const auto blockMs = static_cast<DWORD>(std::max<std::size_t>(block.size() * 1000 / static_cast<std::size_t>(rate), 10));
    Buffer* buffer = FreeBuffer(4 * blockMs);
    if (buffer == nullptr)
        return false;
    if (buffer->prepared)
        waveOutUnprepareHeader(device, &buffer->header, sizeof buffer->header);
    buffer->samples.assign(block.begin(), block.end());
    buffer->header = WAVEHDR{};
    buffer->header.lpData = reinterpret_cast<LPSTR>(buffer->samples.data());
    buffer->header.dwBufferLength = static_cast<DWORD>(buffer->samples.size() * sizeof(std::int16_t));
    buffer->prepared = waveOutPrepareHeader(device, &buffer->header, sizeof buffer->header) == MMSYSERR_NOERROR;
    return buffer->prepared && waveOutWrite(device, &buffer->header, sizeof buffer->header) == MMSYSERR_NOERROR;
}

void CWaveOutDevice::Close()
{
    if (device != nullptr) {
        waveOutReset(device);   // marks every queued buffer done
        for (Buffer& buffer : buffers) {
            if (buffer.prepared)
                waveOutUnprepareHeader(device, &buffer.header, sizeof buffer.header);
            buffer.prepared = false;
        }
        waveOutClose(device);
        device = nullptr;
    }
    if (done != nullptr) {
        CloseHandle(done);
        done = nullptr;
    }
}
