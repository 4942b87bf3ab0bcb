// The movie's decode thread: reads packets, decodes pictures and sound, and queues them for the output
// thread, a little ahead of time; carries out seeks exactly (decoding from the keyframe before the target
// and queueing only the target picture onwards) and ends the queues when the data ends.
#pragma once

#include "media/audio_decoder.h"
#include "media/movie_source.h"
#include "media/movie_state.h"
#include "media/video_decoder.h"

#include <deque>
#include <memory>

namespace media {

class CDecodeWorker {
public:
    CDecodeWorker(CMovieShared& shared, CMovieSource& source);
    // Opens a decoder for each stream the source chose and tells `shared` which remain. False when none.
    bool OpenDecoders();
    // Before the threads start (UI thread): decodes until the first picture is queued (for a movie of sound
    // only, the first sound), within a bound. A video stream that yields no picture while sound decodes is
    // dropped. False when nothing decodes at all: then this is no movie for this device.
    bool Prime();
    // The thread body; returns when `shared.abort` is set.
    void Run();

private:
    bool WantMore() const; // with the mutex held
    void BeginSeek(int64_t us, std::deque<VideoItem>& replayVideo, std::deque<AudioItem>& replayAudio);
    bool CanGoForward(const std::deque<VideoItem>& replay) const;
    void SeekSource(int64_t us);
    void BackOff();
    void Step();
    void Finish();
    void OnPicture(AVFrame* frame);
    void Filter(VideoItem item);
    void OnSound(const int16_t* samples, int frames, int64_t timestamp);
    void PlaceSound(const int16_t* samples, int frames, int64_t us);
    void QueueSound(AudioItem item);
    void Emit(VideoItem item);

    CMovieShared& m;
    CMovieSource& m_source;
    CVideoDecoder m_video;
    CAudioDecoder m_audio;
    PacketPtr m_packet;
    size_t m_hardVideoFrames = 8;

    uint64_t m_serial = 1; // the serial being decoded
    bool m_ended = false;  // the decoders were drained: the next seek must go through the source
    int m_readErrors = 0;
    int64_t m_lastIndex = -1, m_lastUs = 0; // the newest picture out of the decoder
    int64_t m_nextSoundUs = 0;

    // The seek under way: pictures before the target are passed over, the last of them kept in case the
    // next one is already past it (a movie of variable rate has no picture at every frame number).
    bool m_seeking = false;
    bool m_acceptFirst = false; // nothing earlier can be had: the first picture will do
    bool m_needBackOff = false;
    int m_backOffs = 0;
    int64_t m_targetUs = 0, m_targetFrame = 0, m_seekPointUs = 0;
    std::unique_ptr<VideoItem> m_candidate;
    static constexpr int64_t kNoTrim = INT64_MIN;
    int64_t m_soundTrimUs = kNoTrim; // sound before this time belongs before the seek's target
};

} // namespace media
