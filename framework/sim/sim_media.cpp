// What the simulated platform gives the movie device: threads, a mutex and a condition (the host's own, real
// ones), the media clock (the simulated clock, so tests move playback in time), and a recording presenter
// and wave-out stream that tests read back. The device calls these from its worker threads, so everything
// here that keeps state guards it with its own mutex.
#include "framework/sim/sim_state.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <new>
#include <thread>

struct fw::plat::Thread_ {
    std::thread thread;
};
struct fw::plat::Mutex_ {
    std::mutex mutex;
};
struct fw::plat::Condition_ {
    std::condition_variable condition;
};

namespace sim {
namespace detail {

namespace {

std::atomic<long long> g_clockMs{0};
std::atomic<long long> g_conditionWaits{0};

constexpr size_t kPicturesKept = 256;
constexpr size_t kSamplesKept = 48000 * 2 * 120; // two minutes of 48 kHz stereo
constexpr int kQueueMs = 250;                    // what a stream holds before it refuses more

struct Stream {
    int rate = 0, channels = 0;
    bool paused = false;
    long long written = 0, played = 0; // since open or the last reset
    long long lastMs = 0;              // clock when `played` was last brought up to date
    long long creditMsRate = 0;        // time played not yet a whole frame, in ms x rate
};

struct MediaState {
    std::mutex mutex;
    std::deque<Picture> pictures;
    size_t pictureCount = 0;
    bool failWaveOut = false;
    std::unique_ptr<Stream> stream; // the one open stream (the device opens one at a time)
    WaveOutRecord record;
};

MediaState& M() {
    static MediaState state;
    return state;
}

// Plays the stream on from where it was to the clock's now: frames go at the stream's rate while it is not
// paused and has any queued.
void CatchUp(Stream& s) {
    const long long now = g_clockMs.load();
    const long long elapsed = now - s.lastMs;
    s.lastMs = now;
    if (s.paused || elapsed <= 0) return;
    s.creditMsRate += elapsed * s.rate;
    const long long frames = s.creditMsRate / 1000;
    s.creditMsRate %= 1000;
    const long long before = s.played;
    s.played = std::min(s.written, s.played + frames);
    M().record.playedFrames += s.played - before;
    if (s.played == s.written) s.creditMsRate = 0; // an empty device does not bank time
}

} // namespace

void PublishClock(long long ms) {
    g_clockMs.store(ms);
}

void ResetMedia() {
    std::lock_guard<std::mutex> lock(M().mutex);
    M().pictures.clear();
    M().pictureCount = 0;
    M().failWaveOut = false;
    M().stream.reset();
    M().record = WaveOutRecord();
}

} // namespace detail

using namespace detail;

std::vector<Picture> Pictures() {
    std::lock_guard<std::mutex> lock(M().mutex);
    return std::vector<Picture>(M().pictures.begin(), M().pictures.end());
}

long long ConditionWaits() {
    return g_conditionWaits.load();
}

size_t PictureCount() {
    std::lock_guard<std::mutex> lock(M().mutex);
    return M().pictureCount;
}

bool LastPicture(Picture* picture) {
    std::lock_guard<std::mutex> lock(M().mutex);
    if (M().pictures.empty()) return false;
    *picture = M().pictures.back();
    return true;
}

void FailWaveOut(bool fail) {
    std::lock_guard<std::mutex> lock(M().mutex);
    M().failWaveOut = fail;
}

WaveOutRecord WaveOut() {
    std::lock_guard<std::mutex> lock(M().mutex);
    if (M().stream) CatchUp(*M().stream);
    WaveOutRecord r = M().record;
    r.open = M().stream != nullptr;
    r.paused = r.open && M().stream->paused;
    return r;
}

} // namespace sim

namespace fw {
namespace plat {

using namespace sim::detail;

ThreadHandle StartThread(void (*body)(void*), void* arg) {
    Thread_* t = new (std::nothrow) Thread_;
    if (!t) return nullptr;
    try {
        t->thread = std::thread(body, arg);
    } catch (...) {
        delete t;
        return nullptr;
    }
    return t;
}

void JoinThread(ThreadHandle thread) {
    if (!thread) return;
    if (thread->thread.joinable()) thread->thread.join();
    delete thread;
}

MutexHandle CreateMutexObject() {
    return new (std::nothrow) Mutex_;
}
void DestroyMutexObject(MutexHandle mutex) {
    delete mutex;
}
void LockMutex(MutexHandle mutex) {
    mutex->mutex.lock();
}
void UnlockMutex(MutexHandle mutex) {
    mutex->mutex.unlock();
}

ConditionHandle CreateCondition() {
    return new (std::nothrow) Condition_;
}
void DestroyCondition(ConditionHandle condition) {
    delete condition;
}
void WaitCondition(ConditionHandle condition, MutexHandle mutex, unsigned timeoutMs) {
    ++g_conditionWaits;
    std::unique_lock<std::mutex> lock(mutex->mutex, std::adopt_lock);
    condition->condition.wait_for(lock, std::chrono::milliseconds(timeoutMs));
    lock.release(); // the caller keeps holding it
}
void WakeAllWaiters(ConditionHandle condition) {
    condition->condition.notify_all();
}

long long MediaClockUs() {
    return g_clockMs.load() * 1000;
}

bool PresentPicture(HWND window, int x, int y, int width, int height, const uint32_t* pixels) {
    if (!window || width <= 0 || height <= 0 || !pixels) return false;
    sim::Picture p{
        window,          x,      y,
        width,           height, std::vector<uint32_t>(pixels, pixels + static_cast<size_t>(width) * height),
        g_clockMs.load()};
    std::lock_guard<std::mutex> lock(M().mutex);
    M().pictures.push_back(std::move(p));
    if (M().pictures.size() > kPicturesKept) M().pictures.pop_front();
    ++M().pictureCount;
    return true;
}

WaveStreamHandle WaveStreamOpen(UINT device, int sampleRate, int channels) {
    std::lock_guard<std::mutex> lock(M().mutex);
    if (M().failWaveOut || device != 0 || sampleRate <= 0 || channels <= 0 || M().stream) return nullptr;
    M().stream.reset(new Stream);
    Stream& s = *M().stream;
    s.rate = sampleRate;
    s.channels = channels;
    s.lastMs = g_clockMs.load();
    M().record.rate = sampleRate;
    M().record.channels = channels;
    ++M().record.opens;
    return reinterpret_cast<WaveStreamHandle>(M().stream.get());
}

size_t WaveStreamWrite(WaveStreamHandle stream, const int16_t* samples, size_t frames) {
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = reinterpret_cast<Stream*>(stream);
    if (!s || s != M().stream.get() || !samples) return 0;
    CatchUp(*s);
    const long long room = static_cast<long long>(s->rate) * kQueueMs / 1000 - (s->written - s->played);
    const size_t taken = room <= 0 ? 0 : std::min(frames, static_cast<size_t>(room));
    s->written += static_cast<long long>(taken);
    auto& kept = M().record.samples;
    const size_t values = taken * static_cast<size_t>(s->channels);
    if (kept.size() + values <= kSamplesKept) kept.insert(kept.end(), samples, samples + values);
    M().record.writtenFrames += static_cast<long long>(taken);
    return taken;
}

long long WaveStreamPlayed(WaveStreamHandle stream) {
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = reinterpret_cast<Stream*>(stream);
    if (!s || s != M().stream.get()) return 0;
    CatchUp(*s);
    return s->played;
}

void WaveStreamPause(WaveStreamHandle stream) {
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = reinterpret_cast<Stream*>(stream);
    if (!s || s != M().stream.get()) return;
    CatchUp(*s);
    s->paused = true;
}

void WaveStreamResume(WaveStreamHandle stream) {
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = reinterpret_cast<Stream*>(stream);
    if (!s || s != M().stream.get()) return;
    CatchUp(*s);
    s->paused = false;
}

void WaveStreamReset(WaveStreamHandle stream) {
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = reinterpret_cast<Stream*>(stream);
    if (!s || s != M().stream.get()) return;
    CatchUp(*s);
    M().record.droppedFrames += s->written - s->played;
    s->written = s->played = 0;
    s->creditMsRate = 0;
    ++M().record.resets;
}

void WaveStreamClose(WaveStreamHandle stream) {
    std::lock_guard<std::mutex> lock(M().mutex);
    if (reinterpret_cast<Stream*>(stream) == M().stream.get()) M().stream.reset();
}

} // namespace plat
} // namespace fw
