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
#include <vector>

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
// As the Windows backend's waveOut stream: eight blocks of up to 100 ms each, one block to a write's piece.
constexpr size_t kBlocks = 8;
constexpr int kBlockMs = 100;

struct Stream {
    int rate = 0, channels = 0;
    bool paused = false;
    long long written = 0, played = 0; // since open or the last reset
    long long lastMs = 0;              // clock when `played` was last brought up to date
    long long creditMsRate = 0;        // time played not yet a whole frame, in ms x rate
    std::deque<long long> blockEnds;   // where each block not yet played through ends (in `written`)
};

struct MediaState {
    std::mutex mutex;
    std::deque<Picture> pictures;
    size_t pictureCount = 0;
    bool failWaveOut = false;
    // The open streams, oldest first. As waveOut, several may be open at once: a closed movie's stream is
    // closed by its teardown while the next movie's is already playing.
    std::vector<std::unique_ptr<Stream>> streams;
    WaveOutRecord record;
};

MediaState& M() {
    static MediaState state;
    return state;
}

// HoldWaveOut's gate, apart from the state's mutex so that tests read the record while a call is held.
struct WaveOutGate {
    std::mutex mutex;
    std::condition_variable opened;
    bool held = false;
};
WaveOutGate& Gate() {
    static WaveOutGate gate;
    return gate;
}
void PassGate() {
    std::unique_lock<std::mutex> lock(Gate().mutex);
    Gate().opened.wait(lock, [] { return !Gate().held; });
}

// The open stream behind a handle, or null (a closed or made-up handle). M().mutex held.
Stream* Find(fw::plat::WaveStreamHandle handle) {
    for (const auto& s : M().streams)
        if (reinterpret_cast<fw::plat::WaveStreamHandle>(s.get()) == handle) return s.get();
    return nullptr;
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
    while (!s.blockEnds.empty() && s.blockEnds.front() <= s.played)
        s.blockEnds.pop_front();
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
    HoldWaveOut(false);
    M().streams.clear();
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

void HoldWaveOut(bool hold) {
    std::lock_guard<std::mutex> lock(Gate().mutex);
    Gate().held = hold;
    Gate().opened.notify_all();
}

void FailWaveOut(bool fail) {
    std::lock_guard<std::mutex> lock(M().mutex);
    M().failWaveOut = fail;
}

WaveOutRecord WaveOut() {
    std::lock_guard<std::mutex> lock(M().mutex);
    for (const auto& s : M().streams)
        CatchUp(*s);
    WaveOutRecord r = M().record;
    r.open = !M().streams.empty();
    r.openStreams = static_cast<int>(M().streams.size());
    r.paused = r.open && M().streams.back()->paused;
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
    if (M().failWaveOut || device != 0 || sampleRate <= 0 || channels <= 0) return nullptr;
    M().streams.emplace_back(new Stream);
    Stream& s = *M().streams.back();
    s.rate = sampleRate;
    s.channels = channels;
    s.lastMs = g_clockMs.load();
    M().record.rate = sampleRate;
    M().record.channels = channels;
    ++M().record.opens;
    return reinterpret_cast<WaveStreamHandle>(&s);
}

size_t WaveStreamWrite(WaveStreamHandle stream, const int16_t* samples, size_t frames) {
    PassGate();
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = Find(stream);
    if (!s || !samples) return 0;
    CatchUp(*s);
    const size_t blockFrames = static_cast<size_t>(std::max(1, s->rate * kBlockMs / 1000));
    size_t taken = 0;
    while (taken < frames && s->blockEnds.size() < kBlocks) {
        taken += std::min(frames - taken, blockFrames);
        s->blockEnds.push_back(s->written + static_cast<long long>(taken));
    }
    s->written += static_cast<long long>(taken);
    auto& kept = M().record.samples;
    const size_t values = taken * static_cast<size_t>(s->channels);
    if (kept.size() + values <= kSamplesKept) kept.insert(kept.end(), samples, samples + values);
    M().record.writtenFrames += static_cast<long long>(taken);
    return taken;
}

long long WaveStreamPlayed(WaveStreamHandle stream) {
    PassGate();
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = Find(stream);
    if (!s) return 0;
    CatchUp(*s);
    return s->played;
}

void WaveStreamPause(WaveStreamHandle stream) {
    PassGate();
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = Find(stream);
    if (!s) return;
    CatchUp(*s);
    s->paused = true;
}

void WaveStreamResume(WaveStreamHandle stream) {
    PassGate();
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = Find(stream);
    if (!s) return;
    CatchUp(*s);
    s->paused = false;
}

void WaveStreamReset(WaveStreamHandle stream) {
    PassGate();
    std::lock_guard<std::mutex> lock(M().mutex);
    Stream* s = Find(stream);
    if (!s) return;
    CatchUp(*s);
    M().record.droppedFrames += s->written - s->played;
    s->written = s->played = 0;
    s->creditMsRate = 0;
    s->blockEnds.clear();
    ++M().record.resets;
}

void WaveStreamClose(WaveStreamHandle stream) {
    std::lock_guard<std::mutex> lock(M().mutex);
    auto& all = M().streams;
    for (auto it = all.begin(); it != all.end(); ++it)
        if (it->get() == Find(stream)) {
            all.erase(it);
            return;
        }
}

} // namespace plat
} // namespace fw
