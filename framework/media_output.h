// Where the movie device's pictures and sound go: a picture drawn into a rectangle of a window, and a
// wave-out stream. Any thread (the device's output thread calls them).
#pragma once

#include "framework/platform.h"

namespace fw {

// Draws 32-bit pixels (blue, green, red, unused; rows top-down, `width` apart) at (x, y) of the window's
// client area. False when the window is gone.
inline bool DrawPicture(HWND window, int x, int y, int width, int height, const uint32_t* pixels) {
    return plat::PresentPicture(window, x, y, width, height, pixels);
}

// A 16-bit PCM stream on a wave-out device; owns its device handle. See plat::WaveStream* for the contract.
class CWaveOutStream {
public:
    CWaveOutStream() = default;
    ~CWaveOutStream() { Close(); }
    CWaveOutStream(const CWaveOutStream&) = delete;
    CWaveOutStream& operator=(const CWaveOutStream&) = delete;

    // Opens device `device` (0: the one the volume knob sets). False when there is none or it refuses the
    // format; the stream is then closed.
    bool Open(UINT device, int sampleRate, int channels) {
        Close();
        m_h = plat::WaveStreamOpen(device, sampleRate, channels);
        return m_h != nullptr;
    }
    bool IsOpen() const { return m_h != nullptr; }
    // Queues what fits now; returns the sample frames taken.
    size_t Write(const int16_t* samples, size_t frames) {
        return m_h ? plat::WaveStreamWrite(m_h, samples, frames) : 0;
    }
    long long Played() const { return m_h ? plat::WaveStreamPlayed(m_h) : 0; }
    void Pause() {
        if (m_h) plat::WaveStreamPause(m_h);
    }
    void Resume() {
        if (m_h) plat::WaveStreamResume(m_h);
    }
    void Reset() {
        if (m_h) plat::WaveStreamReset(m_h);
    }
    void Close() {
        if (m_h) plat::WaveStreamClose(m_h);
        m_h = nullptr;
    }

private:
    plat::WaveStreamHandle m_h = nullptr;
};

} // namespace fw
