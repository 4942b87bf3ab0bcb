#include "media/movie_player.h"

#include <algorithm>

namespace media {

namespace {
// How far a position asked between two clock readings may run on from the last one.
constexpr int64_t kMaxExtrapolationUs = 200000;
// Settle gives up after this long: a test that waits longer has found a hang.
constexpr int kSettleRounds = 400;
constexpr unsigned kSettleWaitMs = 25;
// Retire waits this long at most for a picture under way to reach the screen (a stuck display driver).
constexpr int kRetireRounds = 100;
constexpr unsigned kRetireWaitMs = 10;
} // namespace

CMoviePlayer::CMoviePlayer() = default;

std::unique_ptr<CMoviePlayer> CMoviePlayer::Open(const std::wstring& path) {
    // FFmpeg tells of every damaged packet on the standard error; a player of damaged files has no use for
    // it.
    static const bool quiet = (av_log_set_level(AV_LOG_QUIET), true);
    (void)quiet;
    std::unique_ptr<CMoviePlayer> p(new CMoviePlayer);
    if (!p->m_shared.mutex.IsValid() || !p->m_shared.changed.IsValid()) return nullptr;
    if (!p->m_file.Open(path, &p->m_stopReading) || !p->m_source.Open(p->m_file.Io(), &p->m_stopReading))
        return nullptr;
    p->m_decoder.reset(new CDecodeWorker(p->m_shared, p->m_source));
    if (!p->m_decoder->OpenDecoders() || !p->m_decoder->Prime()) return nullptr;
    if (p->m_shared.hasVideo) {
        p->m_width = p->m_source.VideoStream()->codecpar->width;
        p->m_height = p->m_source.VideoStream()->codecpar->height;
    }
    // As the system's devices: the picture at its own size in the window's corner until told otherwise.
    p->m_shared.destination = Destination{nullptr, 0, 0, p->m_width, p->m_height};
    {
        fw::CMutexLock lock(p->m_shared.mutex);
        p->m_shared.Post();
    }
    p->m_output.reset(new COutputWorker(p->m_shared));
    p->m_output->OpenSound();
    CDecodeWorker* decoder = p->m_decoder.get();
    COutputWorker* output = p->m_output.get();
    if (!p->m_decodeThread.Start([decoder] { decoder->Run(); }) ||
        !p->m_outputThread.Start([output] { output->Run(); }))
        return nullptr; // the destructor stops whichever started
    return p;
}

CMoviePlayer::~CMoviePlayer() {
    Retire();
    m_decodeThread.Join();
    m_outputThread.Join();
}

void CMoviePlayer::Retire() {
    m_stopReading = true; // a read under way on the decode thread fails at once
    fw::CMutexLock lock(m_shared.mutex);
    m_shared.abort = true;
    m_shared.changed.WakeAll();
    // A picture being put on the screen lands before the caller goes on to draw something else there.
    for (int round = 0; round < kRetireRounds && m_shared.drawing; ++round)
        m_shared.changed.Wait(lock, kRetireWaitMs);
}

void CMoviePlayer::Restart(int64_t us, Mode mode) {
    fw::CMutexLock lock(m_shared.mutex);
    ++m_shared.serial;
    m_shared.seekPending = true;
    m_shared.seekUs = us;
    m_shared.heldUs = us;
    m_shared.mode = mode;
    m_shared.ended = false;
    m_shared.started = false;
    m_shared.Post();
    m_shared.Poke();
}

void CMoviePlayer::PlayFrom(int64_t us) {
    Restart(us, Mode::kPlaying);
}

void CMoviePlayer::Seek(int64_t us) {
    Restart(us, Mode::kStopped);
}

void CMoviePlayer::Play() {
    fw::CMutexLock lock(m_shared.mutex);
    if (m_shared.ended || m_shared.mode == Mode::kPlaying) return;
    m_shared.mode = Mode::kPlaying;
    m_shared.Post();
    m_shared.Poke();
}

void CMoviePlayer::Pause() {
    fw::CMutexLock lock(m_shared.mutex);
    if (m_shared.mode != Mode::kPlaying) return;
    m_shared.heldUs = CurrentUs(m_shared.Snapshot());
    m_shared.mode = Mode::kPaused;
    m_shared.Post();
    m_shared.Poke();
}

void CMoviePlayer::Stop() {
    fw::CMutexLock lock(m_shared.mutex);
    if (m_shared.mode == Mode::kPlaying) m_shared.heldUs = CurrentUs(m_shared.Snapshot());
    m_shared.mode = Mode::kStopped;
    m_shared.Post();
    m_shared.Poke();
}

void CMoviePlayer::SetWindow(fw::HWND window) {
    fw::CMutexLock lock(m_shared.mutex);
    m_shared.destination.window = window;
    ++m_shared.destinationSerial;
    m_shared.Poke();
}

void CMoviePlayer::SetDestination(int x, int y, int width, int height) {
    fw::CMutexLock lock(m_shared.mutex);
    const fw::HWND window = m_shared.destination.window;
    m_shared.destination = Destination{window, x, y, width, height};
    ++m_shared.destinationSerial;
    m_shared.Poke();
}

MovieStatus CMoviePlayer::Status() const {
    MovieStatus s;
    if (m_shared.board.TryRead(&s)) return s;
    fw::CMutexLock lock(m_shared.mutex);
    return m_shared.Snapshot();
}

Mode CMoviePlayer::GetMode() const {
    return static_cast<Mode>(Status().mode);
}

int64_t CMoviePlayer::CurrentUs(const MovieStatus& s) {
    if (s.mode != static_cast<int>(Mode::kPlaying) || !s.started) return s.heldUs;
    const int64_t since = std::clamp<int64_t>(fw::MediaClockUs() - s.publishedAtUs, 0, kMaxExtrapolationUs);
    return s.publishedUs + since;
}

int64_t CMoviePlayer::PositionUs() const {
    const MovieStatus s = Status();
    const int64_t length = m_shared.timeline.LengthUs();
    if (s.ended) return length;
    // Only the end reaches the length: a clock that runs past it waits on the last frame.
    const int64_t last = m_shared.timeline.FrameToUs(m_shared.timeline.LengthFrames() - 1);
    return std::clamp<int64_t>(CurrentUs(s), 0, std::max<int64_t>(0, std::min(last, length - 1)));
}

CMoviePlayer::Shown CMoviePlayer::ShownPicture() const {
    const MovieStatus s = Status();
    return Shown{s.shownIndex, s.shownCurrent, s.shownCount};
}

void CMoviePlayer::Settle() {
    fw::CMutexLock lock(m_shared.mutex);
    m_shared.Poke();
    for (int round = 0; round < kSettleRounds; ++round) {
        const bool decoderDone = m_shared.decoderIdle && !m_shared.decoderDirty && !m_shared.seekPending;
        const bool outputDone =
            m_shared.outputIdle && !m_shared.outputDirty && m_shared.outputSeenClockUs == fw::MediaClockUs();
        if (decoderDone && outputDone) return;
        m_shared.changed.Wait(lock, kSettleWaitMs);
    }
}

} // namespace media
