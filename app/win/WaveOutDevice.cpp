#include "app/win/WaveOutDevice.h"

#include "framework/LateLibrary.h"

#include <algorithm>

namespace {
// The wave output's calls: winmm is loaded by the first tone, not at the start.
struct WaveOutCalls {
    decltype(&waveOutOpen) open;
    decltype(&waveOutPrepareHeader) prepare;
    decltype(&waveOutWrite) write;
    decltype(&waveOutUnprepareHeader) unprepare;
    decltype(&waveOutReset) reset;
    decltype(&waveOutClose) close;

    bool Complete() const { return open && prepare && write && unprepare && reset && close; }
};

template <typename Function>
Function* Winmm(const char* name)
{
    return LateFunction<Function>("winmm.dll", name);
}

const WaveOutCalls& Calls()
{
    static const WaveOutCalls calls{Winmm<decltype(waveOutOpen)>("waveOutOpen"),
                                    Winmm<decltype(waveOutPrepareHeader)>("waveOutPrepareHeader"),
                                    Winmm<decltype(waveOutWrite)>("waveOutWrite"),
                                    Winmm<decltype(waveOutUnprepareHeader)>("waveOutUnprepareHeader"),
                                    Winmm<decltype(waveOutReset)>("waveOutReset"),
                                    Winmm<decltype(waveOutClose)>("waveOutClose")};
    return calls;
}
}   // namespace

bool CWaveOutDevice::Open(int sampleRate)
{
    if (!Calls().Complete())
        return false;
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
    if (Calls().open(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR) {
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
    const auto blockMs =
        static_cast<DWORD>(std::max<std::size_t>(block.size() * 1000 / static_cast<std::size_t>(rate), 10));
    Buffer* buffer = FreeBuffer(4 * blockMs);
    if (buffer == nullptr)
        return false;
    if (buffer->prepared)
        Calls().unprepare(device, &buffer->header, sizeof buffer->header);
    buffer->samples.assign(block.begin(), block.end());
    buffer->header = WAVEHDR{};
    buffer->header.lpData = reinterpret_cast<LPSTR>(buffer->samples.data());
    buffer->header.dwBufferLength = static_cast<DWORD>(buffer->samples.size() * sizeof(std::int16_t));
    buffer->prepared = Calls().prepare(device, &buffer->header, sizeof buffer->header) == MMSYSERR_NOERROR;
    return buffer->prepared && Calls().write(device, &buffer->header, sizeof buffer->header) == MMSYSERR_NOERROR;
}

void CWaveOutDevice::Close()
{
    if (device != nullptr) {
        Calls().reset(device);   // marks every queued buffer done
        for (Buffer& buffer : buffers) {
            if (buffer.prepared)
                Calls().unprepare(device, &buffer.header, sizeof buffer.header);
            buffer.prepared = false;
        }
        Calls().close(device);
        device = nullptr;
    }
    if (done != nullptr) {
        CloseHandle(done);
        done = nullptr;
    }
}
