// The movie device's output on Windows: pictures drawn with GDI into the window it was aimed at, and sound
// through a wave-out stream (winmm bound at run time, see winmm_api.h). Called from the device's output
// thread only (one stream, one thread).
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"
#include "framework/win32/winmm_api.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace fw {
namespace plat {

bool PresentPicture(HWND window, int x, int y, int width, int height, const uint32_t* pixels) {
    ::HWND hwnd = win32::ToWin(window);
    if (!IsWindow(hwnd) || width <= 0 || height <= 0 || !pixels) return false;
    ::HDC dc = GetDC(hwnd);
    if (!dc) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int lines = SetDIBitsToDevice(dc, x, y, static_cast<::DWORD>(width), static_cast<::DWORD>(height),
                                        0, 0, 0, static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS);
    ReleaseDC(hwnd, dc);
    return lines > 0;
}

} // namespace plat
} // namespace fw

// Eight buffers, each taking one write of up to 100 ms. The movie device writes blocks of 40 ms and more
// (shorter decoded blocks are joined first), so a third of a second or more is queued: enough to ride out a
// slow decode. A pause or reset is heard at once whatever is queued.
namespace {
constexpr int kBuffers = 8;
constexpr int kBufferMs = 100;
} // namespace

struct fw::plat::WaveStream_ {
    HWAVEOUT device = nullptr;
    int channels = 0;
    size_t bufferFrames = 0;
    bool paused = false;
    WAVEHDR headers[kBuffers] = {};
    std::vector<int16_t> data[kBuffers];
    // waveOutGetPosition counts in 32 bits; the played count is kept in 64.
    DWORD lastPosition = 0;
    long long played = 0;
};

namespace fw {
namespace plat {

namespace {

const win32::WinmmApi& W() {
    return win32::Winmm();
}

// Every function the stream calls, so that a stream once open never meets a missing one.
bool HaveWaveOut() {
    const win32::WinmmApi& w = W();
    return w.waveOutOpen && w.waveOutClose && w.waveOutPrepareHeader && w.waveOutUnprepareHeader &&
           w.waveOutWrite && w.waveOutPause && w.waveOutRestart && w.waveOutReset && w.waveOutGetPosition;
}

bool IsFree(const WAVEHDR& h) {
    return !(h.dwFlags & WHDR_PREPARED) || (h.dwFlags & WHDR_DONE);
}

void Unprepare(WaveStream_* s) {
    for (WAVEHDR& h : s->headers)
        if (h.dwFlags & WHDR_PREPARED) W().waveOutUnprepareHeader(s->device, &h, sizeof h);
}

} // namespace

WaveStreamHandle WaveStreamOpen(UINT device, int sampleRate, int channels) {
    if (sampleRate <= 0 || channels <= 0 || channels > 8 || !HaveWaveOut()) return nullptr;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<::DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    WaveStream_* s = new (std::nothrow) WaveStream_;
    if (!s) return nullptr;
    if (W().waveOutOpen(&s->device, device, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        delete s;
        return nullptr;
    }
    s->channels = channels;
    s->bufferFrames = static_cast<size_t>(std::max(1, sampleRate * kBufferMs / 1000));
    try {
        for (auto& d : s->data)
            d.resize(s->bufferFrames * static_cast<size_t>(channels));
    } catch (...) {
        W().waveOutClose(s->device);
        delete s;
        return nullptr;
    }
    return s;
}

size_t WaveStreamWrite(WaveStreamHandle s, const int16_t* samples, size_t frames) {
    if (!s || !samples) return 0;
    size_t taken = 0;
    for (int i = 0; i < kBuffers && taken < frames; ++i) {
        WAVEHDR& h = s->headers[i];
        if (!IsFree(h)) continue;
        if (h.dwFlags & WHDR_PREPARED) W().waveOutUnprepareHeader(s->device, &h, sizeof h);
        const size_t n = std::min(frames - taken, s->bufferFrames);
        std::memcpy(s->data[i].data(), samples + taken * static_cast<size_t>(s->channels),
                    n * static_cast<size_t>(s->channels) * sizeof(int16_t));
        h = WAVEHDR{};
        h.lpData = reinterpret_cast<LPSTR>(s->data[i].data());
        h.dwBufferLength = static_cast<::DWORD>(n * static_cast<size_t>(s->channels) * sizeof(int16_t));
        if (W().waveOutPrepareHeader(s->device, &h, sizeof h) != MMSYSERR_NOERROR) break;
        if (W().waveOutWrite(s->device, &h, sizeof h) != MMSYSERR_NOERROR) {
            W().waveOutUnprepareHeader(s->device, &h, sizeof h);
            break;
        }
        taken += n;
    }
    return taken;
}

long long WaveStreamPlayed(WaveStreamHandle s) {
    if (!s) return 0;
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    if (W().waveOutGetPosition(s->device, &time, sizeof time) != MMSYSERR_NOERROR ||
        time.wType != TIME_SAMPLES)
        return s->played;
    const DWORD position = static_cast<DWORD>(time.u.sample);
    s->played += static_cast<DWORD>(position - s->lastPosition); // unsigned difference survives the wrap
    s->lastPosition = position;
    return s->played;
}

void WaveStreamPause(WaveStreamHandle s) {
    if (!s) return;
    W().waveOutPause(s->device);
    s->paused = true;
}

void WaveStreamResume(WaveStreamHandle s) {
    if (!s) return;
    W().waveOutRestart(s->device);
    s->paused = false;
}

void WaveStreamReset(WaveStreamHandle s) {
    if (!s) return;
    W().waveOutReset(s->device); // every buffer comes back done; the position starts again from 0
    Unprepare(s);
    s->played = 0;
    s->lastPosition = 0;
    if (s->paused) W().waveOutPause(s->device); // a reset device plays what comes next at once
}

void WaveStreamClose(WaveStreamHandle s) {
    if (!s) return;
    W().waveOutReset(s->device);
    Unprepare(s);
    W().waveOutClose(s->device);
    delete s;
}

} // namespace plat
} // namespace fw
